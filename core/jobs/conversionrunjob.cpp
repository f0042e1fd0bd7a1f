#include "core/jobs/conversionrunjob.h"

#include <algorithm>
#include <cmath>

double ConversionRun::Job::clampedFraction(double value)
{
    if (!std::isfinite(value) || value < 0.0)
        return 0.0;
    return std::min(value, 1.0);
}

void ConversionRun::Job::requestStop()
{
    if (convert)
        convert->StopTranscode();
    if (merge)
        merge->stop();
}

void ConversionRun::Job::waitForWorker()
{
    if (convert)
        convert->wait();
    if (merge)
        merge->wait();
}

double ConversionRun::Job::weight() const
{
    double ms = 0.0;
    for (const VideoInfo &source : task.sources)
        ms += std::max(0, source.msEnd - source.msStart);
    return ms > 0.0 ? ms : 1.0;
}

double ConversionRun::Job::fraction() const
{
    if (done)
        return outcome.status == TRANSCODE_FINISHED ? 1.0 : endFraction;
    if (convert) {
        double value = 0.0, unused = 0.0;
        convert->GetEncodePrg(value, unused);
        return clampedFraction(value);
    }
    if (merge)
        return clampedFraction(merge->progress());
    return 0.0;
}
