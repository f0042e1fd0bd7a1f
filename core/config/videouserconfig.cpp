#include "core/config/videouserconfig.h"

#include "core/platform/datapaths.h"

#include "core/config/uniquepath.h"
#include "core/platform/corelog.h"
#include "core/platform/platform.h"
#include "core/profiles/videoprofileuserconfig.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>

namespace {
const char kOutputFolder[] = "ConvertOutputFolder";
const char kSnapshotDir[] = "SnapShotDir";
const char kSnapshotFormat[] = "SnapShotFormat";
const char kDownloadFolder[] = "VideoDownloadFolder";
const char kTempFolder[] = "TempFolder";
const char kLanguage[] = "language";
const char kCpuCores[] = "CpuCoreNumber";
const char kUseGpu[] = "UseGpu";
const char kLastOpenDir[] = "LastOpenDir";
const char kRecentFiles[] = "RecentFiles";
const int kMaxRecentFiles = 5;

bool isExistingDir(const QString &dir)
{
    return !dir.isEmpty() && QFileInfo(dir).isDir();
}

QString applicationDirectory()
{
    return QCoreApplication::applicationDirPath();
}
} // namespace

VideoUserConfig *VideoUserConfig::instance()
{
    static VideoUserConfig *store = new VideoUserConfig;
    return store;
}

VideoUserConfig::VideoUserConfig()
    : m_settings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                             QStringLiteral("CorVane Software"),
                                             QStringLiteral("Corvane Reelmax")))
{
}

VideoUserConfig::~VideoUserConfig() = default;

QObject *VideoUserConfig::mainWindow() const
{
    return m_mainWindow.data();
}

void VideoUserConfig::setMainWindow(QObject *window)
{
    m_mainWindow = window;
}

// --- settings ---------------------------------------------------------------

QString VideoUserConfig::convertOutputDirectory() const
{
    if (m_settings->contains(kOutputFolder)) {
        const QString dir = m_settings->value(kOutputFolder).toString();
        if (isExistingDir(dir))
            return dir;
    }
    return defaultConvertOutputDirectory();
}

void VideoUserConfig::setConvertOutputDirectory(const QString &dir)
{
    m_settings->setValue(kOutputFolder, dir);
}

QString VideoUserConfig::snapshotDirectory()
{
    const QString dir = m_settings->value(kSnapshotDir).toString();
    if (!isExistingDir(dir) || QDir::isRelativePath(dir)) {
        const QString def = defaultSnapshotDirectory();
        m_settings->setValue(kSnapshotDir, def);
        return def;
    }
    return dir;
}

bool VideoUserConfig::setSnapshotDirectory(const QString &dir)
{
    if (!isExistingDir(dir))
        return false;
    m_settings->setValue(kSnapshotDir, dir);
    return true;
}

QString VideoUserConfig::snapshotFormat()
{
    const QString format = m_settings->value(kSnapshotFormat).toString();
    if (format.isEmpty()) {
        const QString def = defaultSnapshotFormat();
        m_settings->setValue(kSnapshotFormat, def);
        return def;
    }
    return format;
}

void VideoUserConfig::setSnapshotFormat(const QString &format)
{
    if (format == QLatin1String("jpg") || format == QLatin1String("bmp"))
        m_settings->setValue(kSnapshotFormat, format);
}

QStringList VideoUserConfig::snapshotFormats() const
{
    return {QStringLiteral("jpg"), QStringLiteral("bmp")};
}

QString VideoUserConfig::videoDownloadDirectory()
{
    const QString dir = m_settings->value(kDownloadFolder).toString();
    if (!isExistingDir(dir)) {
        const QString def = defaultSnapshotDirectory();
        m_settings->setValue(kDownloadFolder, def);
        return def;
    }
    return dir;
}

QString VideoUserConfig::storedVideoDownloadDirectory() const
{
    const QString dir = m_settings->value(kDownloadFolder).toString();
    return isExistingDir(dir) ? dir : QString();
}

QString VideoUserConfig::tempDirectory() const
{
    if (!m_settings->contains(kTempFolder))
        return defaultTempDirectory();
    return m_settings->value(kTempFolder).toString();
}

void VideoUserConfig::setTempDirectory(const QString &dir)
{
    m_settings->setValue(kTempFolder, dir);
}

QString VideoUserConfig::language() const
{
    const QString code = m_settings->value(kLanguage).toString();
    return code.isEmpty() ? defaultLanguage() : code;
}

void VideoUserConfig::setLanguage(const QString &code)
{
    m_settings->setValue(kLanguage, code);
}

int VideoUserConfig::cpuCoreNumber() const
{
    if (!m_settings->contains(kCpuCores))
        return defaultCpuCoreNumber();
    return m_settings->value(kCpuCores).toInt();
}

void VideoUserConfig::setCpuCoreNumber(int n)
{
    m_settings->setValue(kCpuCores, n);
}

QList<int> VideoUserConfig::cpuCoreChoices() const
{
    const int n = QThread::idealThreadCount();
    QList<int> choices;
    for (int i = 1; i <= qMax(1, n); ++i)
        choices << i;
    return choices;
}

bool VideoUserConfig::useGpu() const
{
    if (!m_settings->contains(kUseGpu))
        return defaultUseGpu();
    return m_settings->value(kUseGpu).toBool();
}

void VideoUserConfig::setUseGpu(bool flag)
{
    m_settings->setValue(kUseGpu, flag);
}

ProcessingOptions VideoUserConfig::processingOptions() const
{
    ProcessingOptions options;
    options.threads = std::max(0, cpuCoreNumber());
    options.useGpu = useGpu();
    return options;
}

QString VideoUserConfig::lastOpenDirectory() const
{
    const QString dir = m_settings->value(kLastOpenDir).toString().trimmed();
    if (dir.isEmpty() || !isExistingDir(dir))
        return applicationDirectory();
    return dir;
}

void VideoUserConfig::setLastOpenDirectory(const QString &dir)
{
    const QString trimmed = dir.trimmed();
    if (!trimmed.isEmpty() && isExistingDir(trimmed))
        m_settings->setValue(kLastOpenDir, dir);
}

QStringList VideoUserConfig::languages() const
{
    QString folder = DataPaths::dataFolder();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    folder += QLatin1String("languages/");
    const QStringList files = QDir(folder).entryList({QStringLiteral("videoconverter_*.qm")}, QDir::Files,
                                                     QDir::Name | QDir::IgnoreCase);
    QStringList codes;
    for (QString name : files) {
        name.remove(QStringLiteral("videoconverter_"));
        name.remove(QStringLiteral(".qm"));
        codes << name;
    }
    return codes;
}

QString VideoUserConfig::defaultConvertOutputDirectory() const
{
    return QDir::homePath();
}

QString VideoUserConfig::defaultSnapshotDirectory() const
{
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return docs.isEmpty() ? QDir::homePath() : docs;
}

QString VideoUserConfig::defaultSnapshotFormat() const
{
    return QStringLiteral("jpg");
}

QString VideoUserConfig::defaultTempDirectory() const
{
    return QDir::tempPath();
}

QString VideoUserConfig::defaultLanguage() const
{
    return QStringLiteral("en");
}

int VideoUserConfig::defaultCpuCoreNumber() const
{
    // The number is each codec's thread count: one would slow every
    // conversion of a user who never chose, so the default is all cores.
    return cpuCoreChoices().constLast();
}

bool VideoUserConfig::defaultUseGpu() const
{
    return false;
}

// --- recent files -----------------------------------------------------------

QStringList VideoUserConfig::recentFiles() const
{
    return m_settings->value(kRecentFiles).toStringList();
}

void VideoUserConfig::addRecentFiles(const QStringList &files)
{
    QStringList list = recentFiles();
    for (const QString &file : files) {
        list.removeAll(file);
        list.prepend(file);
    }
    while (list.size() > kMaxRecentFiles)
        list.removeLast();
    m_settings->setValue(kRecentFiles, list);
}

// --- current profile ----------------------------------------------------------

VideoProfileFormatUserConfig VideoUserConfig::getCurrentProfile()
{
    if (!m_currentProfile)
        setCurrentProfile(VideoProfileUserConfig::getInstance()->getLastProfile());
    return *m_currentProfile;
}

void VideoUserConfig::setCurrentProfile(const VideoProfileFormatUserConfig &profile)
{
    m_currentProfile = std::make_unique<VideoProfileFormatUserConfig>(profile);
    emit currentProfileChanged(m_currentProfile->getName());
    emit currentProfileChanged(*m_currentProfile);
    const QSize size = m_currentProfile->getResolution();
    qCDebug(lcConfig, "size = %d,%d", size.width(), size.height());
}

// --- run-time state -----------------------------------------------------------

bool VideoUserConfig::isMerge() const
{
    return m_merge;
}

void VideoUserConfig::setMerge(bool merge)
{
    m_merge = merge;
    emit mergeStatusChanged(merge);
}

int VideoUserConfig::postTaskAction() const
{
    return m_postTaskAction;
}

void VideoUserConfig::setPostTaskAction(int action)
{
    m_postTaskAction = action;
}

int VideoUserConfig::splitMode() const
{
    return m_splitMode;
}

void VideoUserConfig::setSplitMode(int mode)
{
    m_splitMode = mode;
}

int VideoUserConfig::splitSize() const
{
    return m_splitSize;
}

void VideoUserConfig::setSplitSize(int size)
{
    m_splitSize = size;
}

int VideoUserConfig::splitTime() const
{
    return m_splitTime;
}

void VideoUserConfig::setSplitTime(int time)
{
    m_splitTime = time;
}

bool VideoUserConfig::isItunesInstalled() const
{
    return Platform::isItunesInstalled();
}

bool VideoUserConfig::isAppleProfile(const VideoProfileFormatUserConfig &profile) const
{
    const QString id = profile.getID();
    const auto apple = VideoProfileUserConfig::getInstance()->getFormats(QStringLiteral("Apple"));
    return std::any_of(apple.cbegin(), apple.cend(),
                       [&](const VideoProfileFormatUserConfig &p) { return p.getID() == id; });
}

bool VideoUserConfig::canSendToItunes() const
{
    return m_currentProfile && isAppleProfile(*m_currentProfile) && isItunesInstalled() && m_sendToItunes;
}

bool VideoUserConfig::sendToItunes() const
{
    return m_sendToItunes;
}

void VideoUserConfig::setSendToItunes(bool send)
{
    m_sendToItunes = send;
}

// --- paths ------------------------------------------------------------------

void VideoUserConfig::setSelectedRowSource(std::function<int()> source)
{
    m_selectedRowSource = std::move(source);
}

void VideoUserConfig::setRowPathSource(std::function<QString(int)> source)
{
    m_rowPathSource = std::move(source);
}

QString VideoUserConfig::rowPath(int row) const
{
    if (row < 0 || !m_rowPathSource)
        return {};
    return m_rowPathSource(row);
}

int VideoUserConfig::selectedRow() const
{
    return m_selectedRowSource ? m_selectedRowSource() : -1;
}

QString VideoUserConfig::selectedFilePath() const
{
    return rowPath(selectedRow());
}

QString VideoUserConfig::uniqueOutputPathForSelected(const QString &extension) const
{
    return UniquePath::forSource(selectedFilePath(), convertOutputDirectory(), extension);
}

QString VideoUserConfig::uniqueOutputPathForFirst(const QString &extension) const
{
    return UniquePath::forSource(rowPath(0), convertOutputDirectory(), extension);
}

QStringList VideoUserConfig::opticalDrives() const
{
    return Platform::opticalDrives();
}
