#pragma once

#include "options/songs/songeditor.h"

#include <QMenu>

// The menu of a song cell (mnuFile): its entries, separators and submenus drawn from the
// editor's menu state. exec() shows it and reports the entry the presenter chose; the songs tab
// acts on it.
class SongsMenu {
public:
    enum class Action {
        None,
        Play,
        Edit,
        Remove,
        Copy,
        Paste,
        MoveTo,      // "Sposta in..." category, index
        ReplaceWith, // "Sostituisci con..." category, index
        UseUnused,   // "Non utilizzate" file
        MoveUp,
        MoveDown,
    };
    struct Choice {
        Action action = Action::None;
        int category = 0;
        int index = 0;
        QString file;
    };

    SongsMenu(const SongEditor::Menu &state, QWidget *parent);

    QMenu &menu() { return m_menu; }
    // Blocks until the menu closes.
    Choice exec(QPoint global);

private:
    QAction *addEntry(QMenu *menu, const QString &name, const QString &text, Choice choice);
    void addMoveMenus(const SongEditor::Menu &state);

    QMenu m_menu;
    Choice m_choice;
};
