#include "core/platform/fontscan.h"

#include "core/platform/platform.h"

#include <QFileInfo>
#include <QFontDatabase>

#include <atomic>

namespace {
InitFontThread *g_fontThread = nullptr;
QStringList g_fontFamilies;
std::atomic<bool> g_fontScanDone{false};
} // namespace

void InitFontThread::run()
{
    if (g_fontScanDone)
        return;
    QStringList families;
    const QStringList all = QFontDatabase::families(QFontDatabase::Any);
    for (const QString &family : all) {
        const QString path = fontFilePath(family);
        if (!path.isEmpty() && QFileInfo::exists(path))
            families << family;
    }
    g_fontFamilies = families;
    g_fontScanDone = true;
}

void startFontScan()
{
    if (g_fontThread)
        return;
    g_fontThread = new InitFontThread;
    g_fontThread->start(QThread::InheritPriority);
}

QString fontFilePath(const QString &family)
{
    return Platform::fontFilePath(family);
}

QStringList scannedFontFamilies()
{
    if (!g_fontScanDone) {
        startFontScan();
        g_fontThread->wait();
    }
    return g_fontFamilies;
}

bool isFontScanDone()
{
    return g_fontScanDone;
}
