#include "core/jobs/conversionoutcome.h"

#include <QCoreApplication>
#include <QFileInfo>

int RunOutcome::count(TranscodeStatus jobStatus) const
{
    int n = 0;
    for (const JobOutcome &job : jobs)
        n += job.status == jobStatus ? 1 : 0;
    return n;
}

bool RunOutcome::endsInCompletionDialog() const
{
    return status == TRANSCODE_FINISHED && profileName.toLower() == QLatin1String("dvd");
}

QString RunOutcome::summary() const
{
    QStringList lines;
    lines << QCoreApplication::translate("ConversionRun", "Converted: %1 of %2 files.")
                 .arg(count(TRANSCODE_FINISHED))
                 .arg(jobs.size());
    const int failed = count(TRANSCODE_FAILED);
    if (failed > 0) {
        lines << QCoreApplication::translate("ConversionRun", "Failed: %1").arg(failed);
        for (const JobOutcome &job : jobs) {
            if (job.status != TRANSCODE_FAILED)
                continue;
            const QString name = QFileInfo(job.sources.value(0)).fileName();
            lines << (job.error.isEmpty() ? QStringLiteral("  %1").arg(name)
                                          : QStringLiteral("  %1: %2").arg(name, job.error));
        }
    }
    const int stopped = count(TRANSCODE_STOPPED);
    if (stopped > 0)
        lines << QCoreApplication::translate("ConversionRun", "Not converted (stopped): %1").arg(stopped);
    return lines.join(QLatin1Char('\n'));
}
