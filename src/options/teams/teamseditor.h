#pragma once

#include "core/textfile.h"
#include "game/team.h"
#include "game/teamsfile.h"

#include <QList>
#include <QString>
#include <QStringList>

// The teams tab's working list, free of widgets. It starts from Squadre.ini and changes only
// through edits that keep every rule of the teams (a refused edit leaves the list as it was
// and says why); the file is written only by apply(), and only when the list differs from it.
class TeamsEditor {
public:
    // Reads Squadre.ini; both the stored and the working list start from it. Returns one
    // sentence per line left out, or the reason the file cannot be read.
    QStringList load(const QString &programFolder);

    const QList<Team> &teams() const { return m_working; }
    const QList<Team> &stored() const { return m_stored; }
    bool isModified() const { return m_working != m_stored; }
    // False while Squadre.ini is there but unreadable: the tab cannot edit it.
    bool isEditable() const { return m_editable; }

    // A new team with the first free name "Squadra N", an unused colour of the palette and no
    // key; TooMany once the list is full.
    [[nodiscard]] TeamProblem add();
    // Rename, recolour or rekey the team at index.
    [[nodiscard]] TeamProblem replace(qsizetype index, const Team &team);
    void remove(qsizetype index);
    // Swaps the team at index with its neighbour; false at the end of the list.
    bool move(qsizetype index, int step);

    // Writes the working list when it differs from the stored one (no teams: no file).
    [[nodiscard]] TextFile::WriteResult apply(const QString &programFolder);

    // The colours offered on the tab, in the order add() takes them.
    static const QStringList &palette();

private:
    bool valid(qsizetype index) const { return index >= 0 && index < m_working.size(); }

    QList<Team> m_stored;
    QList<Team> m_working;
    bool m_editable = true;
};
