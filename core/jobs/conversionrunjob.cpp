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
    stopAsked = true;
    if (worker)
        worker->requestStop();
}

void ConversionRun::Job::waitForWorker()
{
    if (worker)
        worker->wait();
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
    if (!worker)
        return 0.0;
    const double value = clampedFraction(worker->progress());
    return task.kind == ConversionKind::Merge ? std::min(value, 0.99) : value;
}
