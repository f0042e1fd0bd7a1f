#pragma once

#include <QString>
#include <QStringList>

// The few services the program asks of the operating system, in one place.
namespace Platform {

// Elevation is never needed on this platform.
bool needsElevation();

// Version record of the running system.  Code 0 ("unknown Windows version")
// on this platform; false only when the query itself fails.
bool windowsVersion(QString &name, int &code);

// Device paths of the optical drives the kernel knows (e.g. "/dev/sr0"), in
// the kernel's order.  These are what burning takes as a drive.
QStringList opticalDrives();
// Same, read from a given cdrom info file (for tests).
QStringList opticalDrivesFromInfo(const QString &infoPath);
// The maker and model of an optical drive as the kernel reports them (for
// example "HL-DT-ST DVDRAM GH24NSD1"), or empty when unknown.
QString opticalDriveModel(const QString &device);
// Same, read below a given sysfs block folder (for tests).
QString opticalDriveModelFrom(const QString &sysBlockRoot, const QString &device);

// There is no iTunes here.
bool isItunesInstalled();

// The font file of the family's regular face, or an empty string.
QString fontFilePath(const QString &family);
// A font file that always exists for drawing text (the system's sans face).
QString defaultFontFile();

// Gives a file the permissions a newly created file gets (0666 less the
// process's file-creation mask): for output first written under a private
// temporary name.  False when they cannot be set.
bool giveCreationPermissions(const QString &path);

// Asks the login manager to power the computer off.  False when the request
// was refused or the service is unavailable.
bool shutdownComputer();

} // namespace Platform
