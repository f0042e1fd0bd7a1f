// Every window and dialog in every shipped language: no button, label, check
// box, group title or tab is too narrow for its text (German runs long,
// Chinese needs its own font).  REELMAX_LAYOUT_SHOTS=<folder> also saves a
// picture of each for a look.
#include "common/testmedia.h"
#include "core/config/videouserconfig.h"
#include "core/media/videoinfomanager.h"
#include "engine/playback/ffmpegplayer.h"
#include "gui/app/aboutdialog.h"
#include "gui/app/mainwindow.h"
#include "gui/app/myapplication.h"
#include "gui/disc/burningdialog.h"
#include "gui/disc/burningprogressdlg.h"
#include "gui/editor/editordialog.h"
#include "gui/profiles/advanceddialog.h"
#include "gui/profiles/customizedialog.h"
#include "gui/settings/settingsdialog.h"
#include "gui/trim/videotrimdialog.h"
#include "gui/widgets/convertcompleteddlg.h"
#include "gui/widgets/fileinfodialog.h"
#include "gui/widgets/loadvideofilesprogressdialog.h"
#include "gui/widgets/videorenamedlg.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTranslator>

#include <functional>
#include <memory>

namespace {

// Texts whose widget is narrower than the text needs.
QStringList tooNarrow(QWidget *root)
{
    QStringList faults;
    auto report = [&faults](const QWidget *w, const QString &text, int have, int need) {
        faults << QStringLiteral("%1 \"%2\": %3 px for %4 px")
                      .arg(w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                                     : w->objectName(),
                           text)
                      .arg(have)
                      .arg(need);
    };
    QList<QWidget *> widgets = root->findChildren<QWidget *>();
    widgets.prepend(root);
    for (QWidget *w : widgets) {
        if (!w->isVisible() || w->width() <= 0)
            continue;
        const QFontMetrics fm = w->fontMetrics();
        if (auto *box = qobject_cast<QCheckBox *>(w); box && !box->text().isEmpty()) {
            if (box->width() < box->sizeHint().width())
                report(box, box->text(), box->width(), box->sizeHint().width());
        } else if (auto *radio = qobject_cast<QRadioButton *>(w); radio && !radio->text().isEmpty()) {
            if (radio->width() < radio->sizeHint().width())
                report(radio, radio->text(), radio->width(), radio->sizeHint().width());
        } else if (auto *button = qobject_cast<QAbstractButton *>(w); button && !button->text().isEmpty()) {
            const QString text = QString(button->text()).remove(QLatin1Char('&'));
            int need = fm.horizontalAdvance(text) + 4;
            if (!button->icon().isNull())
                need += button->iconSize().width() + 4;
            if (button->width() < need)
                report(button, text, button->width(), need);
        } else if (auto *label = qobject_cast<QLabel *>(w)) {
            const QString text = label->text();
            if (text.isEmpty() || label->wordWrap() || Qt::mightBeRichText(text))
                continue;
            int need = 0;
            for (const QString &line : text.split(QLatin1Char('\n')))
                need = std::max(need, fm.horizontalAdvance(line));
            if (label->contentsRect().width() < need)
                report(label, text, label->contentsRect().width(), need);
        } else if (auto *group = qobject_cast<QGroupBox *>(w); group && !group->title().isEmpty()) {
            const int need = fm.horizontalAdvance(group->title()) + (group->isCheckable() ? 24 : 8);
            if (group->width() < need)
                report(group, group->title(), group->width(), need);
        } else if (auto *tabs = qobject_cast<QTabBar *>(w)) {
            for (int i = 0; i < tabs->count(); ++i) {
                const int need = fm.horizontalAdvance(tabs->tabText(i)) + 8;
                if (tabs->tabRect(i).width() < need)
                    report(tabs, tabs->tabText(i), tabs->tabRect(i).width(), need);
            }
        }
    }
    return faults;
}

void useLanguage(const QString &code)
{
    for (QTranslator *t : qApp->findChildren<QTranslator *>()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
    if (code != QLatin1String("en"))
        QVERIFY(MyApplication::installTranslation(code));
}

} // namespace

class TestTranslatedLayouts : public QObject {
    Q_OBJECT
    QString m_clip;
    QString m_shots;

    // Shows the widget, checks it (and its pages, each shown in turn) and
    // keeps a picture when asked.
    void check(QWidget *widget, const QString &name)
    {
        QFETCH(QString, code);
        widget->show();
        QVERIFY(QTest::qWaitForWindowExposed(widget));
        QStringList faults;
        const QList<QTabWidget *> tabWidgets = widget->findChildren<QTabWidget *>();
        int shot = 0;
        auto look = [&](const QString &page) {
            QTest::qWait(20);
            faults += tooNarrow(widget);
            if (!m_shots.isEmpty())
                widget->grab().save(QStringLiteral("%1/%2-%3%4.png").arg(m_shots, code, name, page));
            ++shot;
        };
        if (tabWidgets.isEmpty()) {
            look(QString());
        } else {
            for (QTabWidget *tabs : tabWidgets) {
                for (int i = 0; i < tabs->count(); ++i) {
                    tabs->setCurrentIndex(i);
                    look(QStringLiteral("-%1").arg(i));
                }
            }
        }
        faults.removeDuplicates();
        QVERIFY2(faults.isEmpty(), qPrintable(name + QStringLiteral(":\n") + faults.join(QLatin1Char('\n'))));
    }

private slots:
    void initTestCase()
    {
        m_shots = qEnvironmentVariable("REELMAX_LAYOUT_SHOTS");
        if (!m_shots.isEmpty())
            QDir().mkpath(m_shots);
        m_clip = TestMedia::tempDir() + "/Holiday at the lake.mp4";
        QVERIFY(TestMedia::makeClip(m_clip, 2.0, 320, 240));
    }

    void cleanup() { VideoInfoManager::instance()->clear(); }
    void cleanupTestCase() { useLanguage(QStringLiteral("en")); }

    void everyWindowFits_data()
    {
        QTest::addColumn<QString>("code");
        QTest::newRow("en") << "en";
        QTest::newRow("de") << "de";
        QTest::newRow("zh_CN") << "zh_CN";
    }
    void everyWindowFits()
    {
        QFETCH(QString, code);
        useLanguage(code);
        {
            MainWindow window;
            check(&window, QStringLiteral("main-empty"));
            VideoInfoManager::instance()->addFiles({m_clip});
            check(&window, QStringLiteral("main"));
            window.popupProfileMenu();
            check(window.profileMenu(), QStringLiteral("profilemenu"));
        }
        {
            SettingsDialog dialog;
            check(&dialog, QStringLiteral("settings"));
        }
        {
            AdvancedDialog dialog;
            dialog.setProfile(VideoUserConfig::instance()->getCurrentProfile());
            check(&dialog, QStringLiteral("advanced"));
        }
        {
            CustomizeDialog dialog;
            check(&dialog, QStringLiteral("customize"));
        }
        CffmpegPlayer player; // the editor's and the clip dialog's preview
        {
            EditorDialog dialog(&player);
            dialog.selectRow(0);
            check(&dialog, QStringLiteral("editor"));
        }
        {
            VideoTrimDialog dialog(&player);
            dialog.setSource(VideoBasicInfo(m_clip, 0, 2000));
            check(&dialog, QStringLiteral("trim"));
        }
        const std::function<QDialog *()> simple[] = {
            [] { return new VideoRenameDlg; },
            [] { return new FileInfoDialog; },
            [] { return new AboutDialog; },
            [] { return new ConvertCompletedDlg; },
            [] { return new BurningDialog; },
            [] { return new BurningProgressDlg; },
            [] { return new LoadVideoFilesProgressDialog; },
        };
        for (const auto &make : simple) {
            std::unique_ptr<QDialog> dialog(make());
            check(dialog.get(), QString::fromLatin1(dialog->metaObject()->className()).toLower());
        }
    }
};

QTEST_MAIN(TestTranslatedLayouts)
#include "tst_translatedlayouts.moc"
