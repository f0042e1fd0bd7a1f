// reelmax-cli --disc-image: one file made into a DVD-Video image, converted
// with the DVD profile first when a profile is given.
#include "cli/clirunner.h"

#include "cli/progressbar.h"
#include "core/disc/dvdburnjob.h"
#include "core/jobs/convertjob.h"
#include "core/jobs/transcodethread.h"
#include "core/media/videoinfo.h"
#include "engine/disc/dvdburner.h"
#include "engine/disc/dvdsource.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <memory>

namespace {

// Share of the bar the conversion takes when there is one.
constexpr double kConvertShare = 0.6;

} // namespace

int CliRunner::discImage()
{
    const bool convertFirst = !m_options.profileId.isEmpty();
    if ((convertFirst && !prepareProfile()) || !prepareEdits())
        return BadUsage;
    if (convertFirst && m_profile.name.compare(QLatin1String("dvd"), Qt::CaseInsensitive) != 0) {
        fail(QStringLiteral("--disc-image needs the DVD profile, not \"%1\"").arg(m_profile.name));
        return BadUsage;
    }
    const QString iso = QFileInfo(m_options.discImage).absoluteFilePath();
    if (!QDir().mkpath(QFileInfo(iso).absolutePath())) {
        fail(QStringLiteral("cannot create the folder of %1").arg(iso));
        return BadUsage;
    }
    QString keepFolder;
    if (convertFirst && !m_options.outputDir.isEmpty()) {
        keepFolder = QFileInfo(m_options.outputDir).absoluteFilePath();
        if (!QDir().mkpath(keepFolder)) {
            fail(QStringLiteral("cannot create the output folder %1").arg(keepFolder));
            return BadUsage;
        }
    }

    VideoInfoList inputs = loadInputs();
    if (inputs.empty())
        return InputUnusable;
    VideoInfo &source = *inputs.front();

    QTemporaryDir work;
    if (!work.isValid()) {
        fail(QStringLiteral("cannot create a temporary folder: %1").arg(work.errorString()));
        return ConversionFailed;
    }
    ProgressBar bar;
    QString mpeg = source.filename;
    double authorFrom = 0.0;

    if (convertFirst) {
        const QString folder = keepFolder.isEmpty() ? work.path() : keepFolder;
        mpeg = ConvertJob::uniqueOutputPath(source.filename, folder, m_profile.format);
        TranscodeJob built;
        QString refused;
        if (!ConvertJob::build(m_profile, source, mpeg, work.path(), processing(), &built, &refused)) {
            bar.finish();
            fail(QStringLiteral("conversion of %1 failed: %2").arg(source.filename, refused));
            return ConversionFailed;
        }
        TranscodeThread job(std::move(built));
        job.start();
        while (!job.wait(100)) {
            if (interrupted())
                job.requestStop();
            bar.update(kConvertShare * std::clamp(job.progress(), 0.0, 1.0));
        }
        if (interrupted()) {
            QFile::remove(mpeg);
            bar.finish();
            fail(QStringLiteral("interrupted; nothing was written"));
            return interruptedExitCode();
        }
        if (!job.result().ok() || !QFileInfo(mpeg).isFile()) {
            QFile::remove(mpeg);
            bar.finish();
            const QString why = QString::fromStdString(job.result().reason);
            fail(QStringLiteral("conversion of %1 failed%2")
                     .arg(source.filename, why.isEmpty() ? QString() : QStringLiteral(": ") + why));
            return ConversionFailed;
        }
        authorFrom = kConvertShare;
    } else if (!DvdSource::inspect(mpeg).isDvdMpeg()) {
        bar.finish();
        fail(QStringLiteral("%1 is not a DVD MPEG file; convert it with the DVD profile first (--profile)")
                 .arg(mpeg));
        return InputUnusable;
    }

    // Authoring and the image: the same job the burning dialog runs.
    DvdBurnJob burn;
    burn.setBurnParam(mpeg, CDvdBurner::imageFileDrive(iso), m_options.discLabel, work.path());
    std::unique_ptr<QThread> thread(QThread::create([&burn] { burn.run(); }));
    thread->start();
    while (!thread->wait(100)) {
        if (interrupted())
            burn.cancel();
        const double authored = burn.getCreatorProgress() / 100.0;
        const double written = burn.getBurnProgress() / 100.0;
        bar.update(authorFrom + (1.0 - authorFrom) * (0.8 * authored + 0.2 * written));
    }
    if (interrupted()) {
        bar.finish();
        fail(QStringLiteral("interrupted; no image was written"));
        return interruptedExitCode();
    }
    if (burn.getResult() != 1) {
        bar.finish();
        fail(QStringLiteral("the DVD image could not be made: %1").arg(burn.message()));
        return ConversionFailed;
    }
    bar.update(1.0);
    bar.finish();
    if (!keepFolder.isEmpty())
        m_out << mpeg << Qt::endl;
    m_out << iso << Qt::endl;
    return m_unusable > 0 ? InputUnusable : Ok;
}
