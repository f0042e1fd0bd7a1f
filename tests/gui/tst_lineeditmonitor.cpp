#include "gui/common/lineeditmonitor.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

// A window with the watched field and a second field to move the focus to.
class TestLineEditMonitor : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> window;
    QLineEdit *field = nullptr;
    QLineEdit *other = nullptr;

    void focus(QLineEdit *edit)
    {
        edit->setFocus(Qt::OtherFocusReason);
        QTRY_VERIFY(edit->hasFocus());
    }

private slots:
    void init()
    {
        window = std::make_unique<QWidget>();
        auto *layout = new QVBoxLayout(window.get());
        field = new QLineEdit(window.get());
        other = new QLineEdit(window.get());
        layout->addWidget(field);
        layout->addWidget(other);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        focus(other);
    }

    void cleanup() { window.reset(); }

    void startsIdleWithATwoSecondPace()
    {
        LineEditMonitor monitor;
        QCOMPARE(monitor.interval(), 2000);
        QVERIFY(!monitor.watched());
        QSignalSpy spy(&monitor, &LineEditMonitor::textChanged);
        monitor.watch(nullptr); // ignored
        monitor.checkText();
        QCOMPARE(spy.count(), 0);
    }

    void quickTypingIsReportedOnceWhenTheFocusLeaves()
    {
        LineEditMonitor monitor;
        monitor.watch(field);
        QSignalSpy full(&monitor, &LineEditMonitor::textChanged);
        // Receivers of the short form see every emission too.
        QStringList shortForm;
        connect(&monitor, SIGNAL(textChanged(QString)), this, SLOT(collect(QString)));
        collected = &shortForm;
        focus(field);
        QTest::keyClicks(field, QStringLiteral("abc"));
        QCOMPARE(full.count(), 0);
        focus(other);
        QCOMPARE(full.count(), 1);
        QCOMPARE(full.at(0).at(0).toString(), QStringLiteral("abc"));
        QCOMPARE(full.at(0).at(1).value<QLineEdit *>(), field);
        QCOMPARE(shortForm, QStringList{QStringLiteral("abc")});
        collected = nullptr;
    }

    void theTickReportsWhileTheFieldKeepsTheFocus()
    {
        LineEditMonitor monitor;
        monitor.watch(field);
        QSignalSpy spy(&monitor, &LineEditMonitor::textChanged);
        focus(field);
        QTest::keyClicks(field, QStringLiteral("xyz"));
        QVERIFY(spy.wait(3000));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("xyz"));
        // Leaving without a further change adds nothing.
        focus(other);
        QCOMPARE(spy.count(), 1);
    }

    void leavingWithoutAChangeEmitsNothing()
    {
        LineEditMonitor monitor;
        monitor.watch(field);
        QSignalSpy spy(&monitor, &LineEditMonitor::textChanged);
        focus(field);
        focus(other);
        QCOMPARE(spy.count(), 0);
        monitor.timeout();
        QCOMPARE(spy.count(), 0);
    }

    void aDisabledFieldEmitsNothing()
    {
        LineEditMonitor monitor;
        monitor.watch(field);
        QSignalSpy spy(&monitor, &LineEditMonitor::textChanged);
        field->setEnabled(false);
        field->setText(QStringLiteral("set by code"));
        monitor.checkText();
        QFocusEvent out(QEvent::FocusOut);
        QCoreApplication::sendEvent(field, &out);
        QCOMPARE(spy.count(), 0);
        // Enabled again, the change is reported at the next check.
        field->setEnabled(true);
        monitor.checkText();
        QCOMPARE(spy.count(), 1);
    }

    void codeChangesWithoutFocusWaitForTheNextFocusOut()
    {
        LineEditMonitor monitor;
        monitor.watch(field);
        QSignalSpy spy(&monitor, &LineEditMonitor::textChanged);
        field->setText(QStringLiteral("from code"));
        QTest::qWait(2300); // no tick runs while the field lacks the focus
        QCOMPARE(spy.count(), 0);
        focus(field);
        focus(other);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("from code"));
    }

    void otherObjectsEventsPassUntouched()
    {
        LineEditMonitor monitor;
        monitor.watch(field);
        other->installEventFilter(&monitor); // not the watched edit
        QSignalSpy spy(&monitor, &LineEditMonitor::textChanged);
        field->setText(QStringLiteral("pending"));
        focus(field);
        QTest::keyClicks(other, QStringLiteral("q"));
        focus(other);
        QCOMPARE(spy.count(), 1); // only the watched field's focus-out counts
        focus(field);
        other->setText(QStringLiteral("more"));
        QCOMPARE(other->text(), QStringLiteral("more"));
        QCOMPARE(spy.count(), 1);
    }

    void aDeletedFieldIsNeverTouched()
    {
        LineEditMonitor monitor;
        auto *temporary = new QLineEdit(window.get());
        monitor.watch(temporary);
        temporary->setText(QStringLiteral("gone"));
        delete temporary;
        QSignalSpy spy(&monitor, &LineEditMonitor::textChanged);
        monitor.timeout();
        QCOMPARE(spy.count(), 0);
        QVERIFY(!monitor.watched());
    }

    void collect(const QString &text)
    {
        if (collected)
            collected->append(text);
    }

private:
    QStringList *collected = nullptr;
};

QTEST_MAIN(TestLineEditMonitor)
#include "tst_lineeditmonitor.moc"
