#include "board/scorestrip.h"

#include "game/team.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QStyleHints>
#include <QTimer>

namespace {

// Light team colours stand on a dark plate, dark ones on a light plate, so every colour reads
// from the back of the hall.
QColor plateFor(const QColor &colour)
{
    return colour.lightnessF() > 0.45 ? QColor(28, 28, 28) : QColor(240, 240, 240);
}

} // namespace

ScoreStrip::ScoreStrip(const QList<Team> &teams, QWidget *parent)
    : QWidget(parent), m_teams(teams), m_scores(teams.size(), 0)
{
    setObjectName(QStringLiteral("Punteggi"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    for (int team = 0; team < m_teams.size(); ++team) {
        auto *cell = new QLabel(this);
        cell->setObjectName(QStringLiteral("Squadra_%1").arg(team + 1));
        cell->setAlignment(Qt::AlignCenter);
        cell->setTextFormat(Qt::RichText);
        cell->setAutoFillBackground(true);
        cell->setProperty("team", team);
        cell->setAccessibleDescription(
            QStringLiteral("Clic: i punti del numero giocato a questa squadra; clic destro: li "
                           "toglie; doppio clic: imposta il punteggio"));
        cell->installEventFilter(this);
        row->addWidget(cell, 2);
        m_cells.append(cell);
    }
    m_flash = new QLabel(this);
    m_flash->setObjectName(QStringLiteral("UltimoPunteggio"));
    m_flash->setAlignment(Qt::AlignCenter);
    // The board's own text colour is its background colour: the flash has a plate of its own.
    QPalette plate = m_flash->palette();
    plate.setColor(QPalette::Window, QColor(28, 28, 28));
    plate.setColor(QPalette::WindowText, QColor(255, 236, 140));
    m_flash->setPalette(plate);
    row->addWidget(m_flash, 3);

    m_flashTimer = new QTimer(this);
    m_flashTimer->setSingleShot(true);
    m_flashTimer->setInterval(FlashMs);
    connect(m_flashTimer, &QTimer::timeout, this, [this] { flash({}); });
    m_clickTimer = new QTimer(this);
    m_clickTimer->setSingleShot(true);
    m_clickTimer->setInterval(QApplication::styleHints()->mouseDoubleClickInterval());
    connect(m_clickTimer, &QTimer::timeout, this, [this] { emit leftClicked(m_clickedTeam); });
    for (int team = 0; team < m_teams.size(); ++team)
        paintCell(team);
}

void ScoreStrip::setScore(int team, int score, const QString &accessibleName)
{
    if (team < 0 || team >= m_cells.size())
        return;
    m_scores[team] = score;
    m_cells.at(team)->setAccessibleName(accessibleName);
    paintCell(team);
}

void ScoreStrip::flash(const QString &text)
{
    m_flash->setText(text);
    m_flash->setAccessibleName(text);
    m_flash->setAutoFillBackground(!text.isEmpty());
    if (text.isEmpty())
        m_flashTimer->stop();
    else
        m_flashTimer->start();
}

QString ScoreStrip::flashText() const
{
    return m_flash->text();
}

void ScoreStrip::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    QFont font(QStringLiteral("Comic Sans MS"));
    font.setBold(true);
    font.setPixelSize(qMax(10, height() * 2 / 5));
    m_flash->setFont(font);
    for (int team = 0; team < m_cells.size(); ++team)
        paintCell(team);
}

// The name above, the score below and larger; both sized after the strip's height.
void ScoreStrip::paintCell(int team)
{
    QLabel *cell = m_cells.at(team);
    const QColor colour(m_teams.at(team).colour);
    QPalette colours = cell->palette();
    colours.setColor(QPalette::Window, plateFor(colour));
    colours.setColor(QPalette::WindowText, colour);
    cell->setPalette(colours);
    const int nameSize = qMax(8, height() * 27 / 100);
    const int scoreSize = qMax(10, height() * 55 / 100);
    cell->setText(QStringLiteral("<div style=\"font-family:'Comic Sans MS'; font-size:%1px; "
                                 "font-weight:bold\">%2</div><div style=\"font-family:'Comic Sans "
                                 "MS'; font-size:%3px; font-weight:bold\">%4</div>")
                      .arg(nameSize)
                      .arg(m_teams.at(team).name.toHtmlEscaped())
                      .arg(scoreSize)
                      .arg(m_scores.at(team)));
}

// Ctrl with a click goes on to the board (Ctrl + right click opens the options everywhere).
bool ScoreStrip::eventFilter(QObject *watched, QEvent *event)
{
    const int team = watched->property("team").toInt();
    const auto *mouse = static_cast<QMouseEvent *>(event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        return !(mouse->modifiers() & Qt::ControlModifier);
    case QEvent::MouseButtonRelease:
        if (mouse->modifiers() & Qt::ControlModifier)
            return false;
        if (m_afterDouble) {
            m_afterDouble = false;
        } else if (mouse->button() == Qt::RightButton) {
            emit rightClicked(team);
        } else if (mouse->button() == Qt::LeftButton && !m_clickTimer->isActive()) {
            m_clickedTeam = team;
            m_clickTimer->start();
        }
        return true;
    case QEvent::MouseButtonDblClick:
        if (mouse->button() != Qt::LeftButton)
            return true;
        m_clickTimer->stop();
        // The release that ends the double click is no click of its own.
        m_afterDouble = true;
        emit doubleClicked(team);
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}
