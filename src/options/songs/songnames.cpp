#include "options/songs/songnames.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace SongNames {

QString safeName(const QString &name)
{
    QString safe = name;
    safe.replace(u';', u'_');
    safe.replace(u'=', u'_');
    return safe;
}

bool readsBack(const QString &name)
{
    return !name.contains(u';') && !name.contains(u'=');
}

const std::vector<Filter> &filters()
{
    static const std::vector<Filter> list{
        {QStringLiteral("Tutti i files"), {QStringLiteral("*")}},
        {QStringLiteral("Tipi supportati "
                        "(*.mp3;*.mpg;*.mpeg;*.wav;*.wma;*.wmv;*.avi;*.mid;*.midi)"),
         {QStringLiteral("*.mp3"), QStringLiteral("*.mpg"), QStringLiteral("*.mpeg"),
          QStringLiteral("*.avi"), QStringLiteral("*.wav"), QStringLiteral("*.wma"),
          QStringLiteral("*.wmv"), QStringLiteral("*.mid"), QStringLiteral("*.midi")}},
        {QStringLiteral("MPEG audio layer 3 (*.mp3)"), {QStringLiteral("*.mp3")}},
        {QStringLiteral("MPEG video (*.mpg;*.mpeg)"),
         {QStringLiteral("*.mpg"), QStringLiteral("*.mpeg")}},
        {QStringLiteral("Windows audio (*.wav;*.wma)"),
         {QStringLiteral("*.wav"), QStringLiteral("*.wma")}},
        {QStringLiteral("Windows media video (*.wmv)"), {QStringLiteral("*.wmv")}},
        {QStringLiteral("Videoclip (*.avi)"), {QStringLiteral("*.avi")}},
        {QStringLiteral("Audio MIDI (*.mid,*.midi)"),
         {QStringLiteral("*.midi"), QStringLiteral("*.mid")}},
    };
    return list;
}

QString startFolder()
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!desktop.isEmpty() && QFileInfo(desktop).isDir())
        return desktop;
    return QDir::homePath();
}

} // namespace SongNames
