#include "engine/disc/dvdburner.h"

#include "engine/disc/disctooloutput.h"
#include "engine/disc/toolprocess.h"
#include "engine/transcode/tempoutput.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

const QLatin1String kImagePrefix("iso:");

std::string nativePath(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

} // namespace

QString CDvdBurner::imageFileDrive(const QString &isoPath)
{
    return kImagePrefix + isoPath;
}

QString CDvdBurner::imageFileOf(const QString &drive)
{
    return drive.startsWith(kImagePrefix) ? drive.mid(kImagePrefix.size()) : QString();
}

void CDvdBurner::SetBurnPath(const char *folder)
{
    m_workFolder = folder ? QString::fromLocal8Bit(folder) : QString();
    m_progress = 0.0f;
    m_cancel = false;
}

void CDvdBurner::raiseProgress(double percent)
{
    const float v = float(std::clamp(percent, 0.0, 100.0));
    float current = m_progress.load();
    while (v > current && !m_progress.compare_exchange_weak(current, v)) {
    }
}

bool CDvdBurner::makeImage(const QString &source, const QString &label, const QString &imagePath, double from,
                           double to, QString &error)
{
    using namespace DiscToolOutput;
    const QString tool = ToolProcess::findTool(QStringLiteral("genisoimage"));
    if (tool.isEmpty()) {
        error = QStringLiteral("genisoimage is not installed.");
        return false;
    }
    QString lastError;
    const ToolProcess::Result r = ToolProcess::run(
        tool,
        {QStringLiteral("-dvd-video"), QStringLiteral("-input-charset"), QStringLiteral("utf-8"),
         QStringLiteral("-V"), label, QStringLiteral("-o"), imagePath, source},
        m_cancel, [&](const QString &line) {
            if (isGenisoimageError(line))
                lastError = line;
            const double p = genisoimageProgress(line);
            if (p >= 0.0)
                raiseProgress(from + (to - from) * p / 100.0);
        });
    if (r.cancelled) {
        error = QStringLiteral("Burning was cancelled.");
        return false;
    }
    if (!r.started) {
        error = QStringLiteral("genisoimage could not be started: %1").arg(r.startError);
        return false;
    }
    if (!r.succeeded() || !QFileInfo(imagePath).isFile()) {
        error = !lastError.isEmpty() ? lastError
                                     : QStringLiteral("genisoimage ended with exit code %1.").arg(r.exitCode);
        return false;
    }
    raiseProgress(to);
    return true;
}

bool CDvdBurner::burnImage(const QString &imagePath, const QString &drive, double from, double to,
                           QString &error)
{
    using namespace DiscToolOutput;
    const QString tool = ToolProcess::findTool(QStringLiteral("xorriso"));
    if (tool.isEmpty()) {
        error = QStringLiteral("xorriso is not installed.");
        return false;
    }
    QString lastError;
    // cdrecord's way of writing one track in one go; rewritable media that
    // hold data are blanked first.
    const ToolProcess::Result r =
        ToolProcess::run(tool,
                         {QStringLiteral("-as"), QStringLiteral("cdrecord"), QStringLiteral("-v"),
                          QStringLiteral("dev=") + drive, QStringLiteral("blank=as_needed"),
                          QStringLiteral("-dao"), imagePath},
                         m_cancel, [&](const QString &line) {
                             if (isXorrisoError(line))
                                 lastError = line;
                             const double p = xorrisoProgress(line);
                             if (p >= 0.0)
                                 raiseProgress(from + (to - from) * p / 100.0);
                         });
    if (r.cancelled) {
        error = QStringLiteral("Burning was cancelled.");
        return false;
    }
    if (!r.started) {
        error = QStringLiteral("xorriso could not be started: %1").arg(r.startError);
        return false;
    }
    if (!r.succeeded()) {
        error = !lastError.isEmpty() ? lastError
                                     : QStringLiteral("xorriso ended with exit code %1.").arg(r.exitCode);
        return false;
    }
    raiseProgress(to);
    return true;
}

int CDvdBurner::StartBurning(const char *sourceFolder, const char *label, const char *drive, char *message)
{
    using namespace DiscToolOutput;
    writeMessage(message, QString());
    m_progress = 0.0f;
    const QString source = sourceFolder ? QString::fromLocal8Bit(sourceFolder) : QString();
    const QString volume = label ? QString::fromLocal8Bit(label) : QString();
    const QString target = drive ? QString::fromLocal8Bit(drive) : QString();
    auto fail = [&](const QString &why) {
        writeMessage(message, why);
        return 0;
    };

    if (m_cancel)
        return fail(QStringLiteral("Burning was cancelled."));
    if (target.trimmed().isEmpty())
        return fail(QStringLiteral("No optical drive was chosen."));
    if (source.isEmpty() || !QFileInfo(source + QStringLiteral("/VIDEO_TS/VIDEO_TS.IFO")).isFile())
        return fail(QStringLiteral("%1 holds no DVD-Video structure.").arg(source));
    if (volume.toUtf8().size() > kMaxLabelBytes)
        return fail(QStringLiteral("The disc label is longer than %1 characters.").arg(kMaxLabelBytes));

    QString error;
    const QString isoPath = imageFileOf(target);
    const bool done = isoPath.isEmpty() ? burnThroughImage(source, volume, target, error)
                                        : writeImageFile(source, volume, isoPath, error);
    if (!done)
        return fail(error);
    raiseProgress(100.0);
    return 1;
}

bool CDvdBurner::writeImageFile(const QString &source, const QString &volume, const QString &isoPath,
                                QString &error)
{
    // A disc image for the user: written beside its place under a
    // temporary name, then moved there.
    TempOutput partial;
    if (!partial.create(nativePath(isoPath), nullptr)) {
        error = QStringLiteral("The image cannot be written to %1.").arg(isoPath);
        return false;
    }
    if (!makeImage(source, volume, QFile::decodeName(partial.path().c_str()), 0.0, 99.0, error))
        return false;
    if (!partial.commit(nullptr)) {
        error = QStringLiteral("The image cannot be written to %1.").arg(isoPath);
        return false;
    }
    QFile::setPermissions(isoPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                       QFileDevice::ReadOther);
    return true;
}

bool CDvdBurner::burnThroughImage(const QString &source, const QString &volume, const QString &drive,
                                  QString &error)
{
    // The image a drive is burnt from lives in the work folder only while
    // it is needed.
    const QString folder = m_workFolder.isEmpty() ? QDir::tempPath() : m_workFolder;
    if (!QDir().mkpath(folder)) {
        error = QStringLiteral("The folder %1 cannot be created.").arg(folder);
        return false;
    }
    TempOutput image;
    if (!image.create(nativePath(folder + QStringLiteral("/dvd-burn.iso")), nullptr)) {
        error = QStringLiteral("The image cannot be written to %1.").arg(folder);
        return false;
    }
    const QString imagePath = QFile::decodeName(image.path().c_str());
    return makeImage(source, volume, imagePath, 0.0, 20.0, error) &&
           burnImage(imagePath, drive, 20.0, 100.0, error);
}
