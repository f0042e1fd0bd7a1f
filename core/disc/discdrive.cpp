#include "core/disc/discdrive.h"

#include "core/platform/platform.h"

QString DiscDrive::displayText() const
{
    if (model.isEmpty())
        return device;
    return QStringLiteral("%1 (%2)").arg(device, model);
}

QList<DiscDrive> DiscDrive::systemDrives()
{
    QList<DiscDrive> drives;
    for (const QString &device : Platform::opticalDrives())
        drives.append(DiscDrive{device, Platform::opticalDriveModel(device)});
    return drives;
}
