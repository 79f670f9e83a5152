#pragma once

#include "options/songs/songeditor.h"

#include <QWidget>

#include <functional>

class MediaPlayer;
class PreviewPlayer;

// The preview's snippet buttons: "Inizio" and "Fine" take the preview's position as a point
// of the cell (SongEditor::pointsLabel says which), "Tutto il brano" clears both. category
// gives the caption of the category on screen; changed runs after each edit.
class SnippetButtons : public QWidget {
    Q_OBJECT
public:
    SnippetButtons(SongEditor &editor, PreviewPlayer &preview, MediaPlayer &player,
                   std::function<QString()> category, std::function<void()> changed,
                   QWidget *parent);

private:
    int previewedPosition() const;
    void take(SongEditor::Point point);
    void clear();

    SongEditor &m_editor;
    PreviewPlayer &m_preview;
    MediaPlayer &m_player;
    std::function<QString()> m_category;
    std::function<void()> m_changed;
};
