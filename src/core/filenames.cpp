#include "core/filenames.h"

#include <QFile>

namespace FileNames {

namespace {

struct Parts {
    QString base;
    QString extension;
};

Parts split(const QString &name, bool whole)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    if (whole || dot < 0)
        return {name, {}};
    return {name.left(dot), name.mid(dot)};
}

// base without its last characters until base + suffix fits; a surrogate pair goes whole.
QString cut(QString base, const QString &suffix, qsizetype maxBytes)
{
    while (!base.isEmpty() && bytes(base + suffix) > maxBytes) {
        const bool pair = base.size() > 1 && base.back().isLowSurrogate() &&
                          base.at(base.size() - 2).isHighSurrogate();
        base.chop(pair ? 2 : 1);
    }
    return base;
}

} // namespace

qsizetype bytes(const QString &name)
{
    return QFile::encodeName(name).size();
}

QString shortened(const QString &name, qsizetype maxBytes, bool whole)
{
    if (bytes(name) <= maxBytes)
        return name;
    Parts parts = split(name, whole);
    if (bytes(parts.extension) >= maxBytes)
        parts = {name, {}};
    return cut(parts.base, parts.extension, maxBytes) + parts.extension;
}

QString numbered(const QString &name, bool whole, const std::function<bool(const QString &)> &taken,
                 qsizetype maxBytes)
{
    const Parts parts = split(name, whole);
    QString candidate;
    int n = 0;
    do {
        const QString number = u'(' + QString::number(n++) + u')';
        // An extension that leaves no room for the number is numbered as part of the name.
        const bool room = bytes(number + parts.extension) <= maxBytes;
        const QString suffix = room ? number + parts.extension : number;
        candidate = cut(room ? parts.base : name, suffix, maxBytes) + suffix;
    } while (taken(candidate));
    return candidate;
}

} // namespace FileNames
