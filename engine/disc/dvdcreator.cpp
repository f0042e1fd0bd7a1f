#include "engine/disc/dvdcreator.h"

#include "engine/disc/disctooloutput.h"
#include "engine/disc/toolprocess.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

void CDVDCreator::SetExePath(const char *folder, float sizeMb)
{
    m_toolFolder = folder ? QString::fromLocal8Bit(folder) : QString();
    m_sizeMb = sizeMb > 0.0f ? double(sizeMb) : 0.0;
    m_progress = 0.0f;
    m_cancel = false;
}

void CDVDCreator::raiseProgress(double value)
{
    // Progress only ever rises, whatever order the tool's lines come in.
    const float v = float(std::clamp(value, 0.0, 1.0));
    float current = m_progress.load();
    while (v > current && !m_progress.compare_exchange_weak(current, v)) {
    }
}

bool CDVDCreator::CreateDVDFile(const char *xmlPath, const char *outputFolder, char *message)
{
    using namespace DiscToolOutput;
    writeMessage(message, QString());
    m_progress = 0.0f;
    const QString xml = xmlPath ? QString::fromLocal8Bit(xmlPath) : QString();
    const QString out = outputFolder ? QString::fromLocal8Bit(outputFolder) : QString();
    if (xml.isEmpty() || !QFileInfo(xml).isFile()) {
        writeMessage(message, QStringLiteral("The DVD description %1 does not exist.").arg(xml));
        return false;
    }
    if (out.isEmpty() || !QDir().mkpath(out)) {
        writeMessage(message, QStringLiteral("The DVD folder %1 cannot be created.").arg(out));
        return false;
    }
    const QString tool = ToolProcess::findTool(QStringLiteral("dvdauthor"), m_toolFolder);
    if (tool.isEmpty()) {
        writeMessage(message, QStringLiteral("dvdauthor is not installed."));
        return false;
    }

    QString lastError;
    const double sizeMb = m_sizeMb;
    const ToolProcess::Result r = ToolProcess::run(
        tool, {QStringLiteral("-o"), out, QStringLiteral("-x"), xml}, m_cancel, [&](const QString &line) {
            if (isDvdauthorError(line))
                lastError = line;
            const double p = dvdauthorProgress(line, sizeMb);
            if (p >= 0.0)
                raiseProgress(p);
        });
    if (r.cancelled) {
        writeMessage(message, QStringLiteral("DVD authoring was cancelled."));
        return false;
    }
    if (!r.started) {
        writeMessage(message, QStringLiteral("dvdauthor could not be started: %1").arg(r.startError));
        return false;
    }
    const bool complete = QFileInfo(out + QStringLiteral("/VIDEO_TS/VIDEO_TS.IFO")).isFile();
    if (!r.succeeded() || !complete) {
        if (lastError.isEmpty())
            lastError = r.crashed ? QStringLiteral("dvdauthor crashed.")
                                  : QStringLiteral("dvdauthor ended with exit code %1.").arg(r.exitCode);
        writeMessage(message, lastError);
        return false;
    }
    m_progress = 1.0f;
    return true;
}
