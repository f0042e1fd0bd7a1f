#include "core/jobs/runsettings.h"

#include "core/config/videouserconfig.h"

RunSettings RunSettings::fromConfig(const VideoUserConfig &config)
{
    RunSettings s;
    s.outputFolder = config.convertOutputDirectory();
    s.tempDir = config.tempDirectory();
    s.processing = config.processingOptions();
    s.cpuCores = config.cpuCoreNumber();
    s.merge = config.isMerge();
    s.selectedRow = config.selectedRow();
    s.splitMode = config.splitMode();
    s.splitSize = config.splitSize();
    s.splitTime = config.splitTime();
    return s;
}
