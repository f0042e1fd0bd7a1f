#include "engine/disc/dvdburner.h"

#include "engine/disc/disctooloutput.h"
#include "engine/disc/toolprocess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

namespace {

const QLatin1String kImagePrefix("iso:");

// Removes a file when the scope ends, unless released.
class FileRemover {
public:
    explicit FileRemover(QString path) : m_path(std::move(path)) {}
    ~FileRemover()
    {
        if (!m_path.isEmpty())
            QFile::remove(m_path);
    }
    void release() { m_path.clear(); }

private:
    QString m_path;
};

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
    if (!isoPath.isEmpty()) {
        // A disc image for the user: written beside its place, then moved there.
        const QString partial = isoPath + QStringLiteral(".part");
        FileRemover removePartial(partial);
        QFile::remove(partial);
        if (!makeImage(source, volume, partial, 0.0, 99.0, error))
            return fail(error);
        if (std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(isoPath).constData()) != 0)
            return fail(QStringLiteral("The image cannot be written to %1.").arg(isoPath));
        removePartial.release();
        QFile::setPermissions(isoPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ReadGroup | QFileDevice::ReadOther);
        raiseProgress(100.0);
        return 1;
    }

    const QString folder = m_workFolder.isEmpty() ? QDir::tempPath() : m_workFolder;
    if (!QDir().mkpath(folder))
        return fail(QStringLiteral("The folder %1 cannot be created.").arg(folder));
    const QString image = folder + QStringLiteral("/dvd-burn.iso");
    FileRemover removeImage(image);
    QFile::remove(image);
    if (!makeImage(source, volume, image, 0.0, 20.0, error))
        return fail(error);
    if (!burnImage(image, target, 20.0, 100.0, error))
        return fail(error);
    raiseProgress(100.0);
    return 1;
}
