#include "options/songs/songnames.h"

#include "core/filenames.h"
#include "core/songcheck.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace SongNames {

namespace {

bool breaksLine(QChar c)
{
    return c == u'\r' || c == u'\n';
}

} // namespace

QString safeName(const QString &name)
{
    QString safe = name;
    for (QChar &c : safe) {
        if (c == u';' || c == u'=' || breaksLine(c))
            c = u'_';
    }
    // The reader trims each value, and the cut may leave blanks at the end of a name without
    // an extension.
    safe = FileNames::shortened(safe.trimmed(), SongCheck::LongestName).trimmed();
    if (safe.isEmpty() || safe == u"." || safe == u"..")
        safe.prepend(u'_');
    return safe;
}

QString unsafeReason(const QString &name)
{
    if (name.contains(u';') || name.contains(u'='))
        return QStringLiteral(
            "contiene \";\" o \"=\", che il file delle canzoni non può conservare");
    if (std::any_of(name.cbegin(), name.cend(), breaksLine))
        return QStringLiteral("contiene un a capo, che il file delle canzoni non può conservare");
    if (name.trimmed() != name)
        return QStringLiteral(
            "inizia o finisce con degli spazi, che il file delle canzoni non conserva");
    if (FileNames::bytes(name) > SongCheck::LongestName)
        return QStringLiteral(
            "è troppo lungo per essere copiato nella cartella Musiche con questo nome");
    return safeName(name) == name ? QString() : QStringLiteral("non è un nome di file valido");
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
