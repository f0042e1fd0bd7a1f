#include "core/jobs/conversionoutcome.h"

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
