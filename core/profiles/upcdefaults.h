#pragma once

#include <QList>
#include <QString>

namespace tinyxml2 {
class XMLDocument;
}

// The default user profile configuration, built from the profile database
// and its category list (":/res/Profile.dat").  Used when neither the user's
// upc.xml nor the one shipped beside the program can be read.
namespace UpcDefaults {

struct CategoryDef {
    QString id;
    QString title;
    QString icon;
    QString cls; // "Custom", "DVD", "Format", "Device", "Shortcut"
    QString type;
};

// The categories of ":/res/Profile.dat" in file order.
QList<CategoryDef> categories();

// The upc.xml group that holds categories of the class, or "" for none.
QString groupForClass(const QString &cls);

// Fills doc with the default configuration: the user group with "Recent"
// and "Favourites", and one category per catalogue category that holds
// profiles, every profile shown.  Returns false when the database is empty.
bool build(tinyxml2::XMLDocument &doc);

} // namespace UpcDefaults
