#include "core/casefind.h"

#include <QDir>
#include <QFileInfo>

namespace CaseFind {

QString entryName(const QString &folder, const QString &name)
{
    if (!isBareName(name))
        return {};
    const QString exact = folder + u'/' + name;
    if (QFileInfo::exists(exact) || QFileInfo(exact).isSymLink())
        return name;
    const QStringList entries = QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return {};
}

QString path(const QString &folder, const QString &name)
{
    const QString found = entryName(folder, name);
    return found.isEmpty() ? QString() : folder + u'/' + found;
}

QString resolve(const QString &base, const QString &relative)
{
    QString result = base;
    bool found = true;
    const QStringList names = relative.split(u'/');
    for (const QString &name : names) {
        if (!result.endsWith(u'/'))
            result += u'/';
        if (name.isEmpty() || !found || !isBareName(name)) {
            result += name;
            continue;
        }
        const QString entry = entryName(result.chopped(1), name);
        found = !entry.isEmpty();
        result += found ? entry : name;
    }
    return result;
}

bool isBareName(const QString &name)
{
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') &&
           !name.contains(u'\\');
}

} // namespace CaseFind
