#pragma once

#include "options/songs/songeditor.h"

#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QMenu;
class QTimer;
class MediaPlayer;
class NoFileBlink;
class PreviewPlayer;
class PreviewView;
class QToolButton;
class CellAnimations;
class ProgressPort;
class QtSongFileDialog;
class SongCell;
class StartupWindows;

// The "Impostazioni delle Canzoni" tab: five cells of one category over the working table.
// Every rule is SongEditor's; this class draws its state and forwards the presenter's clicks.
class SongsTab : public QWidget {
    Q_OBJECT
public:
    SongsTab(AppState &state, QuestionPort &questions, ProgressPort &progress,
             StartupWindows &windows, QWidget *parent = nullptr);
    ~SongsTab() override;

    SongEditor &editor() { return *m_editor; }
    // The files of Musiche that no slot uses, for "Non utilizzate".
    void setUnusedSongs(std::function<QStringList()> scan) { m_unused = std::move(scan); }
    // Shows the current category again from the working table (after a reload or an apply).
    void showCategory();
    SongCell *cellAt(int label) const { return m_cells.at(static_cast<std::size_t>(label)); }
    CellAnimations &animations() { return *m_animations; }
    // Ends the preview, as the options window closes.
    void stopPreview();

signals:
    void cleanupRequested();
    void songCheckRequested(); // "Verifica brani"

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void buildHeader();
    void buildCells(QWidget *area);
    QLabel *buildPoints(QWidget *area, int position);
    void connectCell(SongCell *cell);
    void buildArrows(QWidget *area);
    void buildAnimations(QWidget *area);
    void buildFooter();
    void redraw();
    void openMenu(int label, QPoint global);
    void runMoves(int delta);
    void showBlink();
    void buildPreview();
    void playPreview(int label);
    void openCleanup();

    AppState &m_state;
    QuestionPort &m_questions;
    // Both null when Qt Multimedia has no back end.
    std::unique_ptr<MediaPlayer> m_previewMedia;
    std::unique_ptr<PreviewPlayer> m_preview;
    std::unique_ptr<SongCheck> m_check;
    std::unique_ptr<QtSongFileDialog> m_dialog;
    std::unique_ptr<SongEditor> m_editor;
    std::unique_ptr<NoFileBlink> m_noFileBlink;
    std::function<QStringList()> m_unused;
    QComboBox *m_combo = nullptr;
    QLabel *m_category = nullptr;
    QLabel *m_noFile = nullptr;
    QTimer *m_blink = nullptr;
    CellAnimations *m_animations = nullptr;
    std::array<SongCell *, 5> m_cells{};
    std::array<QLabel *, 5> m_points{};
};
