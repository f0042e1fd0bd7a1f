#pragma once

#include <QList>
#include <QString>

// An optical drive as the burning dialog lists it.
struct DiscDrive {
    QString device; // "/dev/sr0", what the burner takes
    QString model;  // maker and model, may be empty

    // "/dev/sr0 (HL-DT-ST DVDRAM GH24NSD1)", or the device alone.
    QString displayText() const;

    // The kernel's optical drives, in device order, with their models.
    static QList<DiscDrive> systemDrives();
};
