#pragma once

#include <QString>

struct AppState;
class ProgressPort;
class QuestionPort;
class ThemeTarget;

// The themes under Temi: one folder each, holding a file named like the folder plus ".ini".
class Themes {
public:
    Themes(AppState &state, ProgressPort &progress, QuestionPort &questions);

    // Lists the valid themes. False, after telling the presenter, when there is none: the
    // program cannot run then.
    bool CaricaTemi();
    // Every folder of Temi, ordered without regard to letter case, so that an indextema
    // written by an older installation picks the same theme.
    static QStringList folders(const AppState &state);
    void VerificaTema(const QString &folder, const QString &themeFile);
    void ScegliTema();
    // Applies every line of the folder's theme file, in order, to target.
    void ApplicaTema(const QString &folder, ThemeTarget &target) const;
    // The chosen theme to the board; indextema follows.
    void ImpostaTema(ThemeTarget &board);

    QString themeFile(const QString &folder) const;

private:
    AppState &m_state;
    ProgressPort &m_progress;
    QuestionPort &m_questions;
};
