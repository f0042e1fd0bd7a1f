#pragma once

#include "core/profiles/videoprofilecategory.h"
#include "core/profiles/videoprofileformatuserconfig.h"

#include <QList>
#include <QObject>
#include <QString>

#include <memory>

namespace tinyxml2 {
class XMLDocument;
class XMLElement;
} // namespace tinyxml2

// The user's view of the profile catalogue, kept in upc.xml: which profiles
// are shown in which categories, the recently used profiles and the user's
// adjustments.  Loaded on first use; every change is saved at once
// (atomically: a temporary file renamed over the old one).
//
// Where the file lives: beside the program when that folder is writable,
// else in the user's configuration folder, seeded from the copy shipped
// beside the program.  A missing or unreadable file is replaced by the
// default (the unreadable one is kept as a backup next to it).
class VideoProfileUserConfig : public QObject {
    Q_OBJECT
public:
    static VideoProfileUserConfig *getInstance();
    ~VideoProfileUserConfig() override;

    QList<VideoProfileCategory> getCategories(const QString &group, bool includeAll);
    QList<VideoProfileCategory> getUserCategories();
    QList<VideoProfileCategory> getDVDCategories();
    QList<VideoProfileCategory> getFormatsCategories();
    QList<VideoProfileCategory> getDeviceCategories();

    QList<VideoProfileFormatUserConfig> getFormats(const QString &title, bool includeSkipped = false);
    VideoProfileCategory getCategoryInfo(const QString &title);
    bool isCategoryHidden(const QString &title);

    // Records a use of the profile: its entry in "Recent" moves (or a new
    // one goes) to the head; at most 10 entries are kept.
    void addRecent(const QString &id);
    VideoProfileFormatUserConfig getLastProfile();

    // "Favourites", the user's own category: a copy of a profile's entry,
    // its adjustments included, is appended unless the category holds the
    // profile already.  False when nothing was added.
    bool addFavourite(const VideoProfileFormatUserConfig &profile);
    bool isFavourite(const QString &id);
    // Takes the entry out of "Favourites" (handles on it become invalid).
    bool removeFavourite(const VideoProfileFormatUserConfig &profile);
    // The profile's entry in the catalogue (the DVD, format and device
    // groups), or an invalid profile.
    VideoProfileFormatUserConfig catalogueEntry(const QString &id);
    VideoProfileFormatUserConfig getDefaultProfile();

    // Makes sure the document has its root and writes the file.
    virtual bool saveConfig();

    // The file in use.
    QString configPath() const { return m_path; }
    // Switches to another file and loads it (tests, portable set-ups).
    // Handles into the previous document become invalid.
    bool setConfigPath(const QString &path);
    // Loads the current file again (same caveat).
    bool reload();

    // Where upc.xml belongs on this system (see the class comment); the
    // environment variable REELMAX_UPC names another file.
    static QString defaultConfigPath();
    // The default shipped beside the program, or the file named by the
    // environment variable REELMAX_UPC_DEFAULT.
    static QString shippedDefaultPath();
    // The per-user location used when the program's folder is read-only.
    static QString userConfigPath();
    // Replaces the shipped default (tests); empty restores the usual place.
    static void setShippedDefaultPath(const QString &path);

    // Saves the document that holds element, when it is this object's.
    static void saveDocumentOf(const tinyxml2::XMLElement *element);

    // Display text of a stored category title.
    static QString translatedTitle(const QString &title);

private:
    explicit VideoProfileUserConfig(const QString &path);
    bool load();
    bool loadDefaultInto(tinyxml2::XMLDocument &doc) const;
    // A <Config> root with at least one profile entry in a category.
    static bool holdsCatalogue(const tinyxml2::XMLDocument &doc);
    void backupDamaged() const;
    tinyxml2::XMLElement *findCategory(const QString &title) const;
    tinyxml2::XMLElement *findCategoryIn(const char *group, const QString &title, bool translated) const;
    VideoProfileFormatUserConfig firstOf(const QList<VideoProfileCategory> &categories);

    std::unique_ptr<tinyxml2::XMLDocument> m_doc;
    QString m_path;
};
