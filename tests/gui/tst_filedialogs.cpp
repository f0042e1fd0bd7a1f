// The loading, file information and rename dialogs.
#include "Widgets/fileinfodialog.h"
#include "Widgets/loadvideofilesprogressdialog.h"
#include "Widgets/videorenamedlg.h"
#include "common/testmedia.h"
#include "core/media/videoinfo.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {
// Collects the error boxes instead of showing them.
class QuietLoadDialog : public LoadVideoFilesProgressDialog {
public:
    QStringList errors;
    QStringList labels; // what the label said after each file

protected:
    void showError(const QString &title, const QString &text) override
    {
        errors << title + QLatin1Char('|') + text;
    }
};
} // namespace

class TestFileDialogs : public QObject {
    Q_OBJECT

private slots:
    void loadingSkipsAndReports()
    {
        const QString dir = TestMedia::tempDir();
        const QString text = dir + QStringLiteral("/a.txt");
        const QString good = dir + QStringLiteral("/b.avi");
        const QString bad = dir + QStringLiteral("/c.mp4");
        for (const QString &path : {text, bad}) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("this is not a media file");
        }
        QVERIFY(TestMedia::makeClip(good, 1.0, 160, 120));
        const bool engineProbes = VideoInfo(good).isValid();

        QuietLoadDialog dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("LoadVideoFilesProgressDialog"));
        QCOMPARE(dialog.size(), QSize(460, 145));
        QVERIFY(!dialog.progressBar()->isTextVisible());
        VideoInfoList loaded;
        const QList<VideoBasicInfo> videos = {VideoBasicInfo(text), VideoBasicInfo(good),
                                              VideoBasicInfo(bad)};
        QCOMPARE(dialog.run(videos, loaded), 1);
        QVERIFY(dialog.results().empty()); // handed over
        QVERIFY(dialog.isHidden());

        // The text file is dropped silently; the unreadable clip is reported once.
        QStringList expected{QStringLiteral("Error|%1 is not a valid multi-media file.").arg(bad)};
        if (!engineProbes)
            expected.prepend(QStringLiteral("Error|%1 is not a valid multi-media file.").arg(good));
        QCOMPARE(dialog.errors, expected);
        if (!engineProbes)
            QSKIP("the engine cannot probe yet; the valid clip was reported instead of loaded");
        QCOMPARE(int(loaded.size()), 1);
        QCOMPARE(loaded.front()->filename, good);
        QCOMPARE(dialog.lbLoading()->text(), QStringLiteral("loaded file:") + good);
        QCOMPARE(dialog.progressBar()->value(), 33); // entry 1 of 3
    }

    void loadingPathsBuildsWholeSections()
    {
        QuietLoadDialog dialog;
        QCOMPARE(dialog.exec(
                     QStringList{QStringLiteral("/nonexistent/x.mp4"), QStringLiteral("/nonexistent/y.doc")}),
                 1);
        QCOMPARE(dialog.errors.size(), 1);
        QVERIFY(dialog.errors.first().startsWith(QLatin1String("Error|/nonexistent/x.mp4")));
        QVERIFY(dialog.takeResults().empty());
    }

    void fileInfoShowsTextOnShow()
    {
        FileInfoDialog dialog;
        QCOMPARE(dialog.size(), QSize(400, 450));
        QVERIFY(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
        dialog.setText(QStringLiteral("Name:a.mp4\n"));
        QVERIFY(dialog.editInfo()->toPlainText().isEmpty());
        QTimer::singleShot(0, &dialog, [&dialog] {
            QCOMPARE(dialog.editInfo()->toPlainText(), QStringLiteral("Name:a.mp4\n"));
            QVERIFY(dialog.editInfo()->isReadOnly());
            dialog.btnOk()->click();
        });
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QTimer::singleShot(0, &dialog, [&dialog] { dialog.btnClose()->click(); });
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    }

    void renameEnterAcceptsAndConsumes()
    {
        VideoRenameDlg dialog;
        QCOMPARE(dialog.size(), QSize(300, 120));
        dialog.setName(QStringLiteral("old"));
        QTimer::singleShot(0, &dialog, [&dialog] {
            QCOMPARE(dialog.editName()->text(), QStringLiteral("old"));
            dialog.editName()->setText(QStringLiteral("new name"));
            QTest::keyClick(dialog.editName(), Qt::Key_Enter);
        });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QCOMPARE(dialog.name(), QStringLiteral("new name"));

        QTimer::singleShot(0, &dialog, [&dialog] {
            dialog.editName()->setText(QStringLiteral("dropped"));
            dialog.btnClose()->click();
        });
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QCOMPARE(dialog.name(), QStringLiteral("new name"));
    }
};

QTEST_MAIN(TestFileDialogs)
#include "tst_filedialogs.moc"
