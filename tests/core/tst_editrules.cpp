// The editor's tables and rules shared with the conversion: effect and
// deinterlacing calls, the amplifier mapping, transparency, colour words,
// image watermark placement and size, path and font fallbacks.

#include "common/testmedia.h"
#include "core/edit/editeffects.h"
#include "core/edit/overlayrules.h"
#include "core/jobs/convertjob.h"
#include "engine/av/filtersettings.h"

#include <QtTest>

class TestEditRules : public QObject {
    Q_OBJECT

private slots:
    void amplifierMapping()
    {
        QCOMPARE(EditEffects::amplifierVolume(-100), 0);
        QCOMPARE(EditEffects::amplifierVolume(-99), 0);
        QCOMPARE(EditEffects::amplifierVolume(0), 64);
        QCOMPARE(EditEffects::amplifierVolume(1), 64);
        QCOMPARE(EditEffects::amplifierVolume(100), 128);
    }

    void effectTable()
    {
        // The off flags in call order: blur, negate, deshake, sharp.
        EditEffects::EffectCalls calls{};
        QVERIFY(EditEffects::effectCalls(EditEffects::Sharp, calls));
        QCOMPARE(QList<int>({calls.blur, calls.negate, calls.deshake, calls.sharp}),
                 QList<int>({1, 1, 1, 0}));
        QVERIFY(!EditEffects::effectCalls(7, calls));

        const struct {
            int effect;
            bool blur, negate, deshake, sharp;
        } rows[] = {{EditEffects::NoEffect, false, false, false, false},
                    {EditEffects::Sharp, false, false, false, true},
                    {EditEffects::Deshake, false, false, true, false},
                    {EditEffects::Blur, true, false, false, false},
                    {EditEffects::Negate, false, true, false, false}};
        for (const auto &row : rows) {
            // Each effect on a filter set, whatever it held before.
            FilterSettings set;
            set.blur = set.negate = set.deshake = set.sharp = true;
            QVERIFY(EditEffects::applyEffect(row.effect, set));
            QCOMPARE(QList<bool>({set.blur, set.negate, set.deshake, set.sharp}),
                     QList<bool>({row.blur, row.negate, row.deshake, row.sharp}));
        }
        FilterSettings untouched;
        untouched.sharp = true;
        QVERIFY(!EditEffects::applyEffect(7, untouched));
        QVERIFY(untouched.sharp);
    }

    void deinterlaceCalls()
    {
        EditEffects::DeinterlaceCall call{};
        QVERIFY(EditEffects::deinterlaceCall(EditEffects::DeinterlaceNone, call));
        QCOMPARE(call.off, 1);
        QCOMPARE(call.mode, 0);
        QVERIFY(EditEffects::deinterlaceCall(EditEffects::EvenInterpolate, call));
        QCOMPARE(call.off, 0);
        QCOMPARE(call.mode, 3);
        QVERIFY(EditEffects::deinterlaceCall(EditEffects::RepeatOdd, call));
        QCOMPARE(call.mode, 0);
        QVERIFY(!EditEffects::deinterlaceCall(5, call));
        FilterSettings set;
        QVERIFY(EditEffects::applyDeinterlace(EditEffects::RepeatEven, set));
        QVERIFY(set.deinterlace);
        QCOMPARE(set.deinterlaceMode, 1);
        QVERIFY(EditEffects::applyDeinterlace(EditEffects::OddInterpolate, set));
        QVERIFY(set.deinterlace);
        QCOMPARE(set.deinterlaceMode, 2);
        QVERIFY(EditEffects::applyDeinterlace(EditEffects::DeinterlaceNone, set));
        QVERIFY(!set.deinterlace);
        QVERIFY(!EditEffects::applyDeinterlace(9, set));
    }

    void transparencyRoundTrip()
    {
        QCOMPARE(OverlayRules::alphaFromPercent(50), 127);
        QCOMPARE(OverlayRules::alphaFromPercent(100), 255);
        QCOMPARE(OverlayRules::percentFromAlpha(255), 100);
        QCOMPARE(OverlayRules::percentFromAlpha(127), 49);
        QCOMPARE(OverlayRules::alphaFromPercent(130), 255);
    }

    void colourWords()
    {
        // Subtitle: alpha, blue, green, red; text watermark: red, green,
        // blue, alpha; both read as signed 32-bit values.
        const int a = OverlayRules::alphaFromPercent(100);
        QCOMPARE(ConvertJob::subtitleColor(QColor("red"), a), qint64(qint32(0xFF0000FFu)));
        QVERIFY(ConvertJob::subtitleColor(QColor("red"), a) < 0);
        QCOMPARE(ConvertJob::textWatermarkColor(QColor("red"), a), qint64(qint32(0xFF0000FFu)));
        QCOMPARE(ConvertJob::textWatermarkColor(QColor("blue"), a), qint64(0x0000FFFF));
        QCOMPARE(ConvertJob::subtitleColor(QColor("blue"), a), qint64(qint32(0xFFFF0000u)));
        QVERIFY(ConvertJob::subtitleColor(QColor("blue"), a) < 0);
        QCOMPARE(OverlayRules::colorName(QColor(255, 0, 16)), QStringLiteral("#ff0010"));
    }

    void imageWatermarkPlacementAndSize()
    {
        // 200 x 100 on 1280 x 720 with the horizontal space at 1200.
        QCOMPARE(OverlayRules::imageWatermarkPosition(1200, 5, QSize(200, 100), QSize(1280, 720)),
                 QPoint(1070, 5));
        QCOMPARE(OverlayRules::imageWatermarkPosition(10, 700, QSize(200, 100), QSize(1280, 720)),
                 QPoint(10, 610));
        // A logo wider than the video starts at half the video's width.
        QCOMPARE(OverlayRules::initialImageSize(QSize(1920, 200), QSize(1280, 720)), QSize(640, 200));
        QCOMPARE(OverlayRules::initialImageSize(QSize(100, 1000), QSize(1280, 720)), QSize(100, 360));
        QCOMPARE(OverlayRules::initialImageSize(QSize(100, 50), QSize(1280, 720)), QSize(100, 50));
    }

    void subtitleFilesAreReadNotJustNamed()
    {
        const QString dir = TestMedia::tempDir();
        const QString good = dir + "/good.srt", ass = dir + "/style.ass", junk = dir + "/junk.srt";
        QFile g(good);
        QVERIFY(g.open(QIODevice::WriteOnly));
        g.write("1\n00:00:01,000 --> 00:00:02,000\nHello\n");
        g.close();
        QFile a(ass);
        QVERIFY(a.open(QIODevice::WriteOnly));
        a.write("[Script Info]\nScriptType: v4.00+\n\n[Events]\nFormat: Layer, Start, End, Style, Text\n"
                "Dialogue: 0,0:00:01.00,0:00:02.00,Default,Hello\n");
        a.close();
        QFile j(junk);
        QVERIFY(j.open(QIODevice::WriteOnly));
        j.write("no subtitles in here\n\x01\x02\x03\x04");
        j.close();
        QVERIFY(OverlayRules::isSubtitleFile(good));
        QVERIFY(OverlayRules::isSubtitleFile(ass));
        QVERIFY(!OverlayRules::isSubtitleFile(junk));
        QVERIFY(!OverlayRules::isSubtitleFile(dir + "/missing.srt"));
        QVERIFY(!OverlayRules::isSubtitleFile(QString()));
    }

    void watermarkFontFallsBackToTheSansFace()
    {
        const QString missing = OverlayRules::watermarkFontFile(QStringLiteral("No Such Family 1234"));
        QVERIFY2(QFileInfo::exists(missing), qPrintable(missing));
        QCOMPARE(ConvertJob::fontFileFor(QStringLiteral("No Such Family 1234")), missing);
        const QString dejavu = OverlayRules::watermarkFontFile(QStringLiteral("DejaVu Sans"));
        QVERIFY(QFileInfo::exists(dejavu));
        QVERIFY2(dejavu.contains("DejaVu", Qt::CaseInsensitive), qPrintable(dejavu));
    }
};

QTEST_MAIN(TestEditRules)
#include "tst_editrules.moc"
