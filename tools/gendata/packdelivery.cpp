#include "tools/gendata/packdelivery.h"

#include "core/casefind.h"
#include "core/categories.h"
#include "core/pathsfile.h"
#include "core/settings.h"
#include "core/textfile.h"
#include "tools/gendata/outputfiles.h"

namespace {

const QString PackPaths = QStringLiteral("PercorsiZMP.ini");

} // namespace

namespace PackDelivery {

bool takenOver(const QString &programFolder, const QList<Jingles::Song> &songs)
{
    const QString songsFolder = CaseFind::path(programFolder, QStringLiteral("Musiche"));
    if (!songsFolder.isEmpty()) {
        for (const Jingles::Song &song : songs) {
            if (!CaseFind::entryName(songsFolder, song.fileName).isEmpty())
                return true;
        }
    }
    if (CaseFind::entryName(programFolder, PackPaths).isEmpty())
        return false;
    Settings settings;
    settings.read(
        TextFile::readLines(CaseFind::path(programFolder, QStringLiteral("Impostazioni.ini"))),
        false);
    const int choice = settings.number(QStringLiteral("usazmp"));
    return choice == 0 || choice == 1;
}

bool deliver(OutputFiles &out, const QList<Jingles::Song> &songs)
{
    if (takenOver(out.folder(), songs))
        return false;
    PathsTable table;
    for (const Jingles::Song &song : songs) {
        const int c = song.slot / SlotsPerCategory;
        out.write(category(c).packFolder.toString() + u'/' + song.fileName, song.wav);
        table.at(size_t(song.slot)).file = song.fileName;
    }
    QString text;
    for (const QString &line : PathsFile::writtenForm(table))
        text += line + u"\r\n";
    out.write(PackPaths, text.toUtf8());
    return true;
}

} // namespace PackDelivery
