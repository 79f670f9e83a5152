#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class QLabel;
class QTimer;
struct Team;

// The teams' scores under the board picture, each team's name and score in its colour, and
// the last change flashed beside them for a moment. A click reports the team: left (after the
// double-click time, so a double click is not also a click), right, or double.
class ScoreStrip : public QWidget {
    Q_OBJECT

public:
    explicit ScoreStrip(const QList<Team> &teams, QWidget *parent = nullptr);

    // The team's score and its accessible name ("Rossi: 30 punti").
    void setScore(int team, int score, const QString &accessibleName);
    // Shows text for a few seconds; an empty text clears at once.
    void flash(const QString &text);
    QString flashText() const;

    static constexpr int FlashMs = 3000;

signals:
    void leftClicked(int team);
    void rightClicked(int team);
    void doubleClicked(int team);

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void paintCell(int team);

    QList<Team> m_teams;
    QList<QLabel *> m_cells;
    QList<int> m_scores;
    QLabel *m_flash = nullptr;
    QTimer *m_flashTimer = nullptr;
    QTimer *m_clickTimer = nullptr;
    int m_clickedTeam = -1;
    bool m_afterDouble = false;
};
