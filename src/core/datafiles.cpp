#include "core/datafiles.h"

#include "core/appstate.h"

namespace DataFiles {

bool check(AppState &state, const QString &path)
{
    const TextFile::FileProbe found = TextFile::probe(path);
    if (found.state == TextFile::FileState::Unreadable ||
        found.state == TextFile::FileState::TooLarge) {
        state.unread.note(path, found.reason);
        return false;
    }
    return true;
}

QStringList readLines(AppState &state, const QString &path)
{
    if (!check(state, path))
        return {};
    return TextFile::readLines(path);
}

TextFile::WriteResult writeText(const AppState &state, const QString &path, const QString &text)
{
    if (state.unread.contains(path))
        return {false, UnreadFiles::refusal(path)};
    return TextFile::writeText(path, text);
}

TextFile::WriteResult writeLines(const AppState &state, const QString &path,
                                 const QStringList &lines)
{
    return writeText(state, path, TextFile::joinLines(lines));
}

} // namespace DataFiles
