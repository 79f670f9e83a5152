#include "core/pathsfile.h"

#include "core/casefind.h"

QString SongSlot::fullPath() const
{
    if (folder.isEmpty())
        return sourceName();
    return CaseFind::resolve(folder, sourceName());
}

namespace PathsFile {

namespace {

// The text in front of a key counts as numeric when it reads as a number, as in "12=" for
// slot 2 (blanks around it allowed). toDouble() also takes the words "inf" and "nan": a line
// such as "nan4=" is a commented entry, not a number in front of the key.
bool isNumeric(const QString &text)
{
    const QString trimmed = text.trimmed();
    for (const QChar c : trimmed) {
        if (c.isLetter() && c != u'e' && c != u'E')
            return false;
    }
    bool ok = false;
    trimmed.toDouble(&ok);
    return ok;
}

} // namespace

Entry lookup(const QStringList &lines, int slot)
{
    const QString key = QString::number(slot) + u'=';
    for (const QString &line : lines) {
        if (line.startsWith(key))
            return {line.mid(line.indexOf(u'=') + 1).trimmed(), false, true};
        const qsizetype at = line.indexOf(key);
        if (at <= 0 || isNumeric(line.left(at)))
            continue;
        return {line.mid(line.indexOf(u'=') + 1).trimmed(), true, true};
    }
    return {};
}

bool hasSemicolon(const QStringList &lines)
{
    for (const QString &line : lines) {
        if (line.contains(u';'))
            return true;
    }
    return false;
}

QStringList writtenForm(const PathsTable &table)
{
    QStringList lines;
    for (int c = 0; c < CategoryCount; ++c) {
        if (c > 0)
            lines.append(QString());
        lines.append(category(c).section.toString());
        for (int n = 0; n < SlotsPerCategory; ++n) {
            const int slot = slotIndex(c, n);
            lines.append(QString::number(slot) + u'=' + table.at(static_cast<size_t>(slot)).file);
        }
    }
    return lines;
}

} // namespace PathsFile
