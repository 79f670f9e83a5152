#include "core/restorefile.h"

#include "core/casefind.h"
#include "core/categories.h"
#include "core/unreadfiles.h"

#include <QFileInfo>

namespace RestoreFile {

namespace {

const QString Crlf = QStringLiteral("\r\n");

} // namespace

QString withMark(const QString &text, const QString &entry)
{
    if (text.contains(entry))
        return text;
    return text + entry + Crlf;
}

QString withoutMark(const QString &text, const QString &entry)
{
    const qsizetype at = text.indexOf(entry);
    if (at < 0)
        return text;
    // At the very start the entry keeps its own line break, leaving an empty first line;
    // elsewhere the line break in front of it goes with it.
    const QString kept = at <= 1 ? text.left(at) + text.mid(at + entry.size())
                                 : text.left(at - 2) + text.mid(at + entry.size());
    return kept + Crlf;
}

QList<Mark> marks(const QString &text)
{
    QList<Mark> result;
    const QStringList lines = TextFile::splitLines(text);
    for (const QString &line : lines) {
        if (line.isEmpty())
            continue;
        const QString last = line.right(1).trimmed();
        bool ok = false;
        const int number = last.toInt(&ok);
        // A hand-edited line without a final digit, or with a number out of range, means nothing.
        if (!ok || number < 0 || number >= SlotsPerCategory)
            continue;
        const int category = categoryFromCode(line.left(2).trimmed().toLower());
        if (category >= 0)
            result.append({category, number});
    }
    return result;
}

} // namespace RestoreFile

namespace {

QString restorePath(const QString &programFolder)
{
    return CaseFind::resolve(programFolder, QStringLiteral("Ripristino.sav"));
}

// The whole file as one text, every line followed by CRLF.
QString readAsText(const QString &path)
{
    QString text;
    const QStringList lines = TextFile::readLines(path);
    for (const QString &line : lines)
        text += line + u"\r\n";
    return text;
}

// A restore file that is there but cannot be read may hold the marks of a game the presenter
// still wants back: it is neither rewritten nor deleted.
bool unreadable(const QString &path)
{
    const TextFile::FileState state = TextFile::probe(path).state;
    return state == TextFile::FileState::Unreadable || state == TextFile::FileState::TooLarge;
}

TextFile::WriteResult rewrite(const QString &programFolder, const QString &entry, bool mark)
{
    const QString path = restorePath(programFolder);
    if (unreadable(path))
        return {false, UnreadFiles::refusal(path)};
    const QString before = readAsText(path);
    const QString after =
        mark ? RestoreFile::withMark(before, entry) : RestoreFile::withoutMark(before, entry);
    if (after == before)
        return {true, {}};
    return TextFile::writeText(path, after);
}

} // namespace

TextFile::WriteResult RegistraGiocata(const QString &programFolder, const QString &code, int number)
{
    return rewrite(programFolder, code + QString::number(number), true);
}

TextFile::WriteResult AnnullaGiocata(const QString &programFolder, const QString &code, int number)
{
    return rewrite(programFolder, code + QString::number(number), false);
}

QList<RestoreFile::Mark> RipristinaGiocate(const QString &programFolder)
{
    return RestoreFile::marks(readAsText(restorePath(programFolder)));
}

bool EliminaRipristino(const QString &programFolder)
{
    if (unreadable(restorePath(programFolder)))
        return true; // kept on purpose
    return TextFile::removeIfExists(restorePath(programFolder));
}
