#pragma once

#include <QMetaType>
#include <QString>

// One category of the user's profile catalogue as the lists hand it out.
// `title` is for display (translated); `key` is the title stored in upc.xml,
// the safest text to look the category up again (the translated title is
// accepted too).
struct VideoProfileCategory {
    QString title;
    QString icon;
    QString key;

    bool isEmpty() const { return key.isEmpty() && title.isEmpty(); }
    bool operator==(const VideoProfileCategory &o) const
    {
        return title == o.title && icon == o.icon && key == o.key;
    }
};

Q_DECLARE_METATYPE(VideoProfileCategory)
