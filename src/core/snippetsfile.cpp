#include "core/snippetsfile.h"

#include "core/appstate.h"
#include "core/datafiles.h"

#include <QFileInfo>

#include <optional>

namespace SnippetsFile {

namespace {

struct Line {
    int slot = -1;
    Snippet snippet;
};

std::optional<qint64> milliseconds(const QString &text)
{
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    if (!ok || value < 0)
        return std::nullopt;
    return value;
}

std::optional<Line> parse(const QString &line)
{
    const qsizetype equals = line.indexOf(u'=');
    if (equals <= 0)
        return std::nullopt;
    bool ok = false;
    const int slot = line.left(equals).trimmed().toInt(&ok);
    if (!ok || slot < 0 || slot >= SlotCount)
        return std::nullopt;
    const QString value = line.mid(equals + 1);
    const qsizetype first = value.indexOf(u';');
    const qsizetype second = first < 0 ? -1 : value.indexOf(u';', first + 1);
    if (second < 0)
        return std::nullopt;
    const auto start = milliseconds(value.left(first));
    const auto end = milliseconds(value.mid(first + 1, second - first - 1));
    const QString name = value.mid(second + 1);
    if (!start || !end || name.isEmpty() || (*end != 0 && *end <= *start))
        return std::nullopt;
    return Line{slot, Snippet{*start, *end, name}};
}

QString path(const AppState &state)
{
    return state.file(QString(FileName));
}

} // namespace

void apply(const QStringList &lines, PathsTable &table)
{
    std::array<bool, SlotCount> taken{};
    for (SongSlot &slot : table)
        slot.snippet = {};
    for (const QString &text : lines) {
        const std::optional<Line> line = parse(text);
        if (!line || taken.at(size_t(line->slot)))
            continue;
        SongSlot &slot = table.at(size_t(line->slot));
        if (!line->snippet.appliesTo(slot.file))
            continue;
        slot.snippet = line->snippet;
        taken.at(size_t(line->slot)) = true;
    }
}

QStringList writtenForm(const PathsTable &table)
{
    QStringList lines;
    for (size_t slot = 0; slot < table.size(); ++slot) {
        const SongSlot &song = table.at(slot);
        if (!song.snippet.appliesTo(song.file))
            continue;
        lines.append(QString::number(slot) + u'=' + QString::number(song.snippet.start) + u';' +
                     QString::number(song.snippet.end) + u';' + song.snippet.name);
    }
    return lines;
}

Snippet forSong(const PathsTable &table, const QString &title, const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    for (int c = 0; c < CategoryCount; ++c) {
        for (int n = 0; n < SlotsPerCategory; ++n) {
            const SongSlot &song = table.at(size_t(slotIndex(c, n)));
            if (slotTitle(c, n) == title && song.snippet.appliesTo(song.file) &&
                song.sourceName().compare(name, Qt::CaseInsensitive) == 0)
                return song.snippet;
        }
    }
    return {};
}

void load(AppState &state)
{
    const QStringList lines = DataFiles::readLines(state, path(state));
    apply(lines, state.PercorsiSalvati);
    apply(lines, state.PercorsiModifica);
}

TextFile::WriteResult save(const AppState &state)
{
    return DataFiles::writeLines(state, path(state), writtenForm(state.PercorsiSalvati));
}

} // namespace SnippetsFile
