#include "core/disc/dvdburnjob.h"

#include "core/disc/dvdauthoring.h"
#include "core/platform/corelog.h"
#include "engine/disc/disctooloutput.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFile>
#include <QFileInfo>

#include <vector>

void DvdBurnJob::setBurnParam(const QString &filePath, const QString &drive, const QString &label,
                              const QString &base)
{
    const QFileInfo file(filePath);
    m_sizeMb = file.isFile() ? float(double(file.size()) / 1024.0 / 1024.0) : 0.0f;
    m_drive = drive;
    m_label = label;
    m_filePath = filePath;
    m_base = base;
    m_result = -1;
    m_finished = 0;
    m_cancelled = false;
    m_message.clear();

    m_prepareError.clear();
    const QString format = DvdAuthoring::videoFormatOf(filePath);
    if (!DvdAuthoring::writeDvdXml(xmlPath(), filePath, format, &m_prepareError))
        qCWarning(lcBurn, "dvd.xml: %s", qPrintable(m_prepareError));

    const QByteArray folder = QFile::encodeName(base);
    m_creator.SetExePath(folder.constData(), m_sizeMb);
    m_burner.SetBurnPath(folder.constData());
}

QString DvdBurnJob::xmlPath() const
{
    return DvdAuthoring::dvdXmlPath(m_base);
}

QString DvdBurnJob::workFolder() const
{
    return DvdAuthoring::workFolder(m_base);
}

void DvdBurnJob::run()
{
    m_finished = 0;
    m_result = -1;

    const QString work = workFolder();
    QString error;
    if (!DvdAuthoring::emptyFolder(work, &error))
        qCWarning(lcBurn, "dvd working folder: %s", qPrintable(error));

    // The disc classes' message buffer lives on the heap, not on this
    // thread's stack.
    std::vector<char> buffer(DiscToolOutput::kMessageBufferSize, '\0');
    const QByteArray xml = QFile::encodeName(xmlPath());
    const QByteArray workPath = QFile::encodeName(work);

    int result = 0;
    QString message;
    if (!m_prepareError.isEmpty()) {
        message = m_prepareError;
    } else if (m_creator.CreateDVDFile(xml.constData(), workPath.constData(), buffer.data())) {
        const QByteArray label = m_label.toLocal8Bit();
        const QByteArray drive = m_drive.toLocal8Bit();
        std::fill(buffer.begin(), buffer.end(), '\0');
        result =
            m_burner.StartBurning(workPath.constData(), label.constData(), drive.constData(), buffer.data());
        message = QString::fromLocal8Bit(buffer.data());
    } else {
        // Nothing is burnt from a structure that could not be authored.
        message = QString::fromLocal8Bit(buffer.data());
    }
    if (result != 1 && message.isEmpty())
        message = QCoreApplication::translate("DvdBurnJob", "The disc could not be made.");
    if (result == 1)
        message.clear();
    if (!message.isEmpty())
        qCDebug(lcBurn, "burn message = [%s]", qPrintable(message));

    // The authored copy of the film is not needed any more.
    DvdAuthoring::emptyFolder(work, nullptr);

    m_message = message;
    m_result = result;
    m_finished = 1;
}

int DvdBurnJob::getCreatorProgress() const
{
    return int(m_creator.GetDvdCreatorPrg() * 100.0f);
}

int DvdBurnJob::getBurnProgress() const
{
    if (m_finished.load() == 1)
        return 100;
    return int(m_burner.GetBuringPrg());
}

void DvdBurnJob::cancel()
{
    m_cancelled = true;
    m_creator.Cancel();
    m_burner.Cancel();
}

QString DvdBurnJob::message() const
{
    return m_finished.load() == 1 ? m_message : QString();
}
