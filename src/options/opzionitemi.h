#pragma once

#include <QWidget>

#include <functional>

class QListWidget;
class ProgressPort;
class QuestionPort;
class ThemePreview;
class ThemeTarget;
struct AppState;

// The "Impostazioni Tema" tab (frame frOpzioni0): the theme list Skin, a preview of the theme
// clicked, "Applica il tema" and "Aggiorna i temi".
class OpzioniTemi : public QWidget {
    Q_OBJECT
public:
    OpzioniTemi(AppState &state, ProgressPort &progress, QuestionPort &questions,
                ThemeTarget &board, std::function<void()> endProgram, QWidget *parent = nullptr);

    // Fills Skin with the display names and selects the applied theme (indextema).
    void fill();
    // Previews theme row, as a click in Skin does; a row outside the list selects nothing.
    void selectTheme(int row);
    // Applies the selected theme, or TemaScelto when none is, to the board and stores its index
    // as indextema.
    void applyTheme();
    // The selected row of Skin, -1 when none.
    int currentTheme() const;

private:
    void rescan();

    AppState &m_state;
    ProgressPort &m_progress;
    QuestionPort &m_questions;
    ThemeTarget &m_board;
    std::function<void()> m_endProgram;
    QListWidget *m_skin = nullptr;
    ThemePreview *m_preview = nullptr;
};
