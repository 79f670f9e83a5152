#pragma once

#include "options/optionscontrols.h"
#include "options/teams/teamseditor.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The "Squadre" tab (frame frOpzioni3): the teams of the game with their colours and buzzer
// keys, and whether a wrong answer costs points. A view over TeamsEditor: every edit goes
// through it, and a refused one is said in words under the list.
class TeamsTab : public QWidget {
    Q_OBJECT
public:
    explicit TeamsTab(QWidget *parent = nullptr);

    // Reads Squadre.ini afresh and says which of its lines were left out.
    void load(const QString &programFolder);
    const TeamsEditor &editor() const { return m_editor; }
    [[nodiscard]] TextFile::WriteResult apply(const QString &programFolder);

    void setControls(const OptionsControls &controls);
    void readControls(OptionsControls &controls) const;

private:
    QWidget *buildList();
    QWidget *buildEditor();
    void showTeams(qsizetype selected);
    void showSelected();
    qsizetype selected() const;
    void say(TeamProblem problem, const Team &candidate);
    void edit(const Team &team);
    void commitName();
    void commitKey(const QString &text);
    void move(int step);

    TeamsEditor m_editor;
    QListWidget *m_list = nullptr;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_key = nullptr;
    QList<QPushButton *> m_colours;
    QPushButton *m_add = nullptr;
    QPushButton *m_remove = nullptr;
    QPushButton *m_up = nullptr;
    QPushButton *m_down = nullptr;
    QLabel *m_refusal = nullptr;
    QLabel *m_fileWords = nullptr;
    QCheckBox *m_penalty = nullptr;
};
