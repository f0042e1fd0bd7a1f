#pragma once

#include <QStringList>
#include <QThread>

// Collects, once per process, the installed font families whose font file
// exists.  Readers wait for the scan to finish before reading the list.
class InitFontThread : public QThread {
    Q_OBJECT
public:
    using QThread::QThread;

protected:
    void run() override;
};

// Starts the scan once; later calls do nothing.
void startFontScan();
// The absolute path of the family's regular font file, or "".
QString fontFilePath(const QString &family);
// Waits for the scan (starting it if needed) and returns the families, in
// the font database's order.
QStringList scannedFontFamilies();
bool isFontScanDone();
