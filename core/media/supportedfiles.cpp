#include "core/media/supportedfiles.h"

const QStringList &supportedFileSuffixes()
{
    static const QStringList suffixes = {
        QStringLiteral(".m4v"),  QStringLiteral(".4ma"),    QStringLiteral(".m4b"),  QStringLiteral(".m4p"),
        QStringLiteral(".m4r"),  QStringLiteral(".aa"),     QStringLiteral(".aax"),  QStringLiteral(".amr"),
        QStringLiteral(".mod"),  QStringLiteral(".tod"),    QStringLiteral(".mts"),  QStringLiteral(".ts"),
        QStringLiteral(".m2ts"), QStringLiteral(".tp"),     QStringLiteral(".trp"),  QStringLiteral(".avi"),
        QStringLiteral(".mp4"),  QStringLiteral(".m4v"),    QStringLiteral(".mpg"),  QStringLiteral(".mpeg"),
        QStringLiteral(".dpg"),  QStringLiteral(".3gp"),    QStringLiteral(".3g2"),  QStringLiteral(".wmv"),
        QStringLiteral(".asf"),  QStringLiteral(".rm"),     QStringLiteral(".rmvb"), QStringLiteral(".dat"),
        QStringLiteral(".mov"),  QStringLiteral(".flv"),    QStringLiteral(".f4v"),  QStringLiteral(".mkv"),
        QStringLiteral(".dv"),   QStringLiteral(".dvr-ms"), QStringLiteral(".nut"),  QStringLiteral(".h.264"),
        QStringLiteral(".nsv"),  QStringLiteral(".vob"),    QStringLiteral(".gif"),  QStringLiteral(".mp3"),
        QStringLiteral(".m4a"),  QStringLiteral(".mp2"),    QStringLiteral(".mpa"),  QStringLiteral(".wma"),
        QStringLiteral(".aac"),  QStringLiteral(".ac3"),    QStringLiteral(".mka"),  QStringLiteral(".org"),
        QStringLiteral(".aif"),  QStringLiteral(".aiff"),   QStringLiteral(".ra"),   QStringLiteral(".ram"),
        QStringLiteral(".Tivo"), QStringLiteral(".wav"),    QStringLiteral(".ape"),  QStringLiteral(".flac"),
        QStringLiteral(".webm"), QStringLiteral(".au"),     QStringLiteral(".ogg"),
    };
    return suffixes;
}

bool isSupportedFile(const QString &path)
{
    for (const QString &suffix : supportedFileSuffixes()) {
        if (path.endsWith(suffix, Qt::CaseInsensitive))
            return true;
    }
    return false;
}
