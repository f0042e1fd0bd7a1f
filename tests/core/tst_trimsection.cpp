// The arithmetic of the trim dialog's controls and the section lists of the
// command-line tool.

#include "core/media/sectionlist.h"
#include "core/media/trimsection.h"

#include <QtTest>

class TestTrimSection : public QObject {
    Q_OBJECT

    static TrimSection section(qint32 start, qint32 end)
    {
        TrimSection s(VideoBasicInfo(QStringLiteral("/media/clip.mp4"), start, end));
        s.selectAll();
        return s;
    }

private slots:
    void sliderSeeksLandOnWholeSeconds_data()
    {
        QTest::addColumn<int>("durationMs");
        QTest::addColumn<int>("value");
        QTest::addColumn<qint64>("target");
        // 95 s: half way is 47 s, not 47.5 s.
        QTest::newRow("95 s at 500") << 95000 << 500 << qint64(47000);
        QTest::newRow("95 s at 0") << 95000 << 0 << qint64(0);
        QTest::newRow("95 s at 1000") << 95000 << 1000 << qint64(95000);
        // The fraction of a second in the length is dropped first.
        QTest::newRow("95.9 s at 1000") << 95900 << 1000 << qint64(95000);
        QTest::newRow("10 s at 999") << 10000 << 999 << qint64(9000);
        QTest::newRow("10 s at 250") << 10000 << 250 << qint64(2000);
        // Shorter than a second: every seek goes to the start.
        QTest::newRow("0.8 s at 900") << 800 << 900 << qint64(0);
        // Out-of-range slider values are held to the slider.
        QTest::newRow("below") << 95000 << -20 << qint64(0);
        QTest::newRow("above") << 95000 << 1200 << qint64(95000);
        // A long entry does not overflow on the way.
        QTest::newRow("2e9 ms at 1000") << 2000000000 << 1000 << qint64(2000000000);
    }
    void sliderSeeksLandOnWholeSeconds()
    {
        QFETCH(int, durationMs);
        QFETCH(int, value);
        QFETCH(qint64, target);
        QCOMPARE(section(0, durationMs).seekTargetForSlider(value), target);
        // The same length inside a trimmed entry gives the same relative seek.
        if (durationMs < 1000000000)
            QCOMPARE(section(60000, 60000 + durationMs).seekTargetForSlider(value), target);
    }

    void forwardJumpsOneTwentiethAndStopsAtTheEnd()
    {
        QCOMPARE(TrimSection::forwardSliderValue(0), 50);
        QCOMPARE(TrimSection::forwardSliderValue(500), 550);
        QCOMPARE(TrimSection::forwardSliderValue(950), 1000);
        QCOMPARE(TrimSection::forwardSliderValue(980), 1000);
        QCOMPARE(TrimSection::forwardSliderValue(1000), 1000);
        // From 980 on a 95 s source the seek goes to the end, 95 s.
        const TrimSection s = section(0, 95000);
        QCOMPARE(s.seekTargetForSlider(TrimSection::forwardSliderValue(980)), qint64(95000));
    }

    void positionsShowOnTheSlider()
    {
        const TrimSection s = section(0, 95000);
        QCOMPARE(s.sliderForPosition(0), 0);
        QCOMPARE(s.sliderForPosition(47500), 500);
        QCOMPARE(s.sliderForPosition(47499), 499); // truncated, not rounded
        QCOMPARE(s.sliderForPosition(95000), 1000);
        QCOMPARE(s.sliderForPosition(99000), 1000);
        QCOMPARE(s.sliderForPosition(-5), 0);
        QCOMPARE(s.sliderForPosition(std::numeric_limits<double>::quiet_NaN()), 0);
        // A source without length never divides by zero.
        QCOMPARE(section(5000, 5000).sliderForPosition(1000), 0);
        QCOMPARE(section(5000, 5000).seekTargetForSlider(700), qint64(0));
        QCOMPARE(TrimSection(VideoBasicInfo("x", -1, -1)).duration(), qint64(0));
    }

    void setStartAndEndRules()
    {
        TrimSection s = section(0, 95000);
        QCOMPARE(s.start(), qint64(0));
        QCOMPARE(s.end(), qint64(95000));

        s.setStartAt(10000.9); // truncated
        QCOMPARE(s.start(), qint64(10000));
        QCOMPARE(s.end(), qint64(95000));
        s.setEndAt(30000);
        QCOMPARE(s.start(), qint64(10000));
        QCOMPARE(s.end(), qint64(30000));

        // The end set before the start: the start goes back to 0.
        s.setEndAt(5000);
        QCOMPARE(s.start(), qint64(0));
        QCOMPARE(s.end(), qint64(5000));

        // The start set after the end: the end becomes the whole duration.
        s.setStartAt(40000);
        QCOMPARE(s.start(), qint64(40000));
        QCOMPARE(s.end(), qint64(95000));

        // Equal bounds are kept as they are (an empty section).
        s.setEndAt(40000);
        QCOMPARE(s.start(), qint64(40000));
        QCOMPARE(s.end(), qint64(40000));
        QVERIFY(s.isEmpty());

        // Positions outside the source are held to it.
        s.setEndAt(120000);
        QCOMPARE(s.end(), qint64(95000));
        s.setStartAt(-300);
        QCOMPARE(s.start(), qint64(0));
        s.setStartAt(97000);
        QCOMPARE(s.start(), qint64(95000));
        QCOMPARE(s.end(), qint64(95000));
    }

    void firstMarksOnAClearedSection()
    {
        TrimSection s(VideoBasicInfo("/m/a.mp4", 0, 20000));
        QVERIFY(!s.isSet());
        QVERIFY(s.isEmpty());
        s.setStartAt(3000); // no end yet: the end is the whole duration
        QCOMPARE(s.end(), qint64(20000));
        s.clear();
        s.setEndAt(7000); // no start yet: the start is 0
        QCOMPARE(s.start(), qint64(0));
        QCOMPARE(s.end(), qint64(7000));
    }

    void clipsAreAbsoluteInTheFile()
    {
        // An entry already trimmed to 60..120 s, section 10..20 s of it.
        TrimSection s = section(60000, 120000);
        QCOMPARE(s.duration(), qint64(60000));
        s.setStartAt(10000);
        s.setEndAt(20000);
        QCOMPARE(s.clip(), VideoBasicInfo("/media/clip.mp4", 70000, 80000));

        // The clip never leaves the source's range.
        s.setEndAt(90000);
        QCOMPARE(s.clip(), VideoBasicInfo("/media/clip.mp4", 70000, 120000));

        // A source that starts at "not set" counts from 0.
        TrimSection whole(VideoBasicInfo("/m/b.mp4", -1, 8000));
        whole.selectAll();
        QCOMPARE(whole.clip(), VideoBasicInfo("/m/b.mp4", 0, 8000));
    }

    void playSectionSeeksToTheStart()
    {
        TrimSection s = section(0, 95000);
        QCOMPARE(s.sliderForSectionStart(), 0);
        s.setStartAt(47500);
        QCOMPARE(s.sliderForSectionStart(), 500);
        QCOMPARE(s.seekTargetForSlider(s.sliderForSectionStart()), qint64(47000));
    }

    void sectionListsAreRead_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("ranges"); // "start-end;..." in ms, or empty when refused
        QTest::newRow("ms") << "1000-3000,5000-6000"
                            << "1000-3000;5000-6000";
        QTest::newRow("spaces") << " 1000 - 3000 , 5000-6000 "
                                << "1000-3000;5000-6000";
        QTest::newRow("clock") << "0:00:01.000-0:00:03.000"
                               << "1000-3000";
        QTest::newRow("minutes") << "1:02-1:03.5"
                                 << "62000-63500";
        QTest::newRow("hours") << "1:02:03.25-1:02:04"
                               << "3723250-3724000";
        QTest::newRow("mixed") << "500-0:00:02"
                               << "500-2000";
        QTest::newRow("reversed") << "3000-1000"
                                  << "";
        QTest::newRow("empty range") << "1000-1000"
                                     << "";
        QTest::newRow("open") << "1000-"
                              << "";
        QTest::newRow("three bounds") << "1-2-3"
                                      << "";
        QTest::newRow("negative") << "-1000-2000"
                                  << "";
        QTest::newRow("words") << "start-end"
                               << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("trailing comma") << "1000-2000,"
                                        << "";
        QTest::newRow("seconds 75") << "0:75-1:30"
                                    << "";
        QTest::newRow("minutes 75") << "1:75:00-2:00:00"
                                    << "";
        QTest::newRow("too long") << "0-99999999999"
                                  << "";
    }
    void sectionListsAreRead()
    {
        QFETCH(QString, text);
        QFETCH(QString, ranges);
        QList<SectionList::Range> out{{1, 2}};
        QString error;
        const bool ok = SectionList::parse(text, out, &error);
        if (ranges.isEmpty()) {
            QVERIFY2(!ok, qPrintable(text));
            QVERIFY(!error.isEmpty());
            QCOMPARE(out.size(), 1); // untouched
            return;
        }
        QVERIFY2(ok, qPrintable(error));
        QStringList got;
        for (const SectionList::Range &r : out)
            got << QStringLiteral("%1-%2").arg(r.startMs).arg(r.endMs);
        QCOMPARE(got.join(';'), ranges);
    }

    void sectionListsBecomeEntries()
    {
        QList<SectionList::Range> ranges;
        QVERIFY(SectionList::parse("1000-3000,5000-6000", ranges));
        const QList<VideoBasicInfo> list = SectionList::entries("/m/a.mp4", ranges);
        QCOMPARE(list.size(), 2);
        QCOMPARE(list[0], VideoBasicInfo("/m/a.mp4", 1000, 3000));
        QCOMPARE(list[1], VideoBasicInfo("/m/a.mp4", 5000, 6000));
    }
};

QTEST_GUILESS_MAIN(TestTrimSection)
#include "tst_trimsection.moc"
