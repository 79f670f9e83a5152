#include "options/teamstab.h"

#include "options/teams/teamwords.h"
#include "widgets/namedcontrols.h"

#include <QCheckBox>
#include <QColor>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

using NamedControls::button;
using NamedControls::label;

namespace {

const QString PenaltyKey = QStringLiteral("penalita");

// The palette's colours in words, for the tooltips and screen readers.
const QStringList ColourNames{QStringLiteral("Rosso"),   QStringLiteral("Blu"),
                              QStringLiteral("Verde"),   QStringLiteral("Giallo"),
                              QStringLiteral("Viola"),   QStringLiteral("Arancione"),
                              QStringLiteral("Azzurro"), QStringLiteral("Rosa"),
                              QStringLiteral("Marrone"), QStringLiteral("Bianco")};

QPixmap swatch(const QString &colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(QColor(colour));
    return pixmap;
}

QString rowText(qsizetype index, const Team &team)
{
    const QString key =
        team.key.isNull() ? QStringLiteral("nessun tasto") : QStringLiteral("tasto ") + team.key;
    return QStringLiteral("%1. %2 (%3)").arg(index + 1).arg(team.name, key);
}

} // namespace

TeamsTab::TeamsTab(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frOpzioni3"));
    auto *layout = new QVBoxLayout(this);
    auto *box = NamedControls::group(this, "frSquadre", QStringLiteral("Squadre"));
    auto *boxLayout = new QHBoxLayout(box);
    boxLayout->addWidget(buildList(), 1);
    boxLayout->addWidget(buildEditor(), 1);
    layout->addWidget(box);
    m_refusal = label(this, "lblAvvisoSquadre", {});
    m_fileWords = label(this, "lblRigheSquadre", {});
    for (QLabel *words : {m_refusal, m_fileWords}) {
        words->setWordWrap(true);
        words->setStyleSheet(QStringLiteral("color: #B00020"));
        layout->addWidget(words);
    }
    m_penalty = new QCheckBox(QStringLiteral("Risposta sbagliata toglie i punti"), this);
    m_penalty->setObjectName(QStringLiteral("CheckPenalita"));
    m_penalty->setToolTip(QStringLiteral("Quando una squadra prenotata sbaglia perde i punti del "
                                         "numero in gioco"));
    m_penalty->setAccessibleName(m_penalty->text());
    m_penalty->setAccessibleDescription(m_penalty->toolTip());
    layout->addWidget(m_penalty);
    layout->addStretch();
    showTeams(-1);
}

QWidget *TeamsTab::buildList()
{
    auto *area = new QWidget(this);
    auto *layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    m_list = new QListWidget(area);
    m_list->setObjectName(QStringLiteral("lstSquadre"));
    m_list->setAccessibleName(QStringLiteral("Squadre"));
    connect(m_list, &QListWidget::currentRowChanged, this, [this] { showSelected(); });
    layout->addWidget(m_list);
    auto *buttons = new QHBoxLayout;
    m_add = button(area, "btnAggiungiSquadra", QStringLiteral("Aggiungi"),
                   QStringLiteral("Aggiunge una squadra (al massimo %1)").arg(MaxTeams));
    m_remove = button(area, "btnRimuoviSquadra", QStringLiteral("Rimuovi"),
                      QStringLiteral("Toglie la squadra selezionata"));
    m_up = button(area, "btnSquadraSu", QStringLiteral("Su"),
                  QStringLiteral("Sposta in alto la squadra selezionata"));
    m_down = button(area, "btnSquadraGiu", QStringLiteral("Giù"),
                    QStringLiteral("Sposta in basso la squadra selezionata"));
    for (QPushButton *b : {m_add, m_remove, m_up, m_down}) {
        b->setAccessibleName(b->text());
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    connect(m_add, &QPushButton::clicked, this, [this] {
        const TeamProblem problem = m_editor.add();
        say(problem, {});
        if (problem == TeamProblem::None)
            showTeams(m_editor.teams().size() - 1);
    });
    connect(m_remove, &QPushButton::clicked, this, [this] {
        const qsizetype index = selected();
        m_editor.remove(index);
        say(TeamProblem::None, {});
        showTeams(qMin(index, m_editor.teams().size() - 1));
    });
    connect(m_up, &QPushButton::clicked, this, [this] { move(-1); });
    connect(m_down, &QPushButton::clicked, this, [this] { move(1); });
    return area;
}

QWidget *TeamsTab::buildEditor()
{
    auto *area = new QWidget(this);
    auto *form = new QFormLayout(area);
    form->setContentsMargins(0, 0, 0, 0);
    m_name = new QLineEdit(area);
    m_name->setObjectName(QStringLiteral("txtNomeSquadra"));
    m_name->setAccessibleName(QStringLiteral("Nome"));
    // Room for a name the score strip can still show large.
    m_name->setMaxLength(40);
    connect(m_name, &QLineEdit::editingFinished, this, &TeamsTab::commitName);
    form->addRow(label(area, "lblNomeSquadra", QStringLiteral("Nome")), m_name);
    auto *colours = new QWidget(area);
    auto *grid = new QGridLayout(colours);
    grid->setContentsMargins(0, 0, 0, 0);
    const QStringList &palette = TeamsEditor::palette();
    for (qsizetype i = 0; i < palette.size(); ++i) {
        auto *swatchButton = new QPushButton(colours);
        swatchButton->setObjectName(QStringLiteral("btnColore%1").arg(i));
        swatchButton->setToolTip(ColourNames.value(i, palette.at(i)));
        swatchButton->setAccessibleName(swatchButton->toolTip());
        swatchButton->setFixedSize(28, 28);
        // Flat, so the colour is the one the board will show; the team's own is framed.
        swatchButton->setCheckable(true);
        swatchButton->setStyleSheet(
            QStringLiteral("QPushButton { background: %1; border: 1px solid #808080; }"
                           "QPushButton:checked { border: 3px solid #000000; }"
                           "QPushButton:disabled { background: #D8D8D8; }")
                .arg(palette.at(i)));
        connect(swatchButton, &QPushButton::clicked, this, [this, colour = palette.at(i)] {
            Team team = m_editor.teams().value(selected());
            team.colour = colour;
            edit(team);
        });
        grid->addWidget(swatchButton, int(i / 5), int(i % 5));
        m_colours << swatchButton;
    }
    form->addRow(label(area, "lblColoreSquadra", QStringLiteral("Colore")), colours);
    m_key = new QLineEdit(area);
    m_key->setObjectName(QStringLiteral("txtTastoSquadra"));
    m_key->setAccessibleName(QStringLiteral("Tasto di prenotazione"));
    m_key->setToolTip(QStringLiteral("Una lettera o una cifra; vuoto per nessun tasto"));
    m_key->setAccessibleDescription(m_key->toolTip());
    m_key->setMaximumWidth(60);
    connect(m_key, &QLineEdit::textEdited, this, &TeamsTab::commitKey);
    form->addRow(label(area, "lblTastoSquadra", QStringLiteral("Tasto di prenotazione")), m_key);
    return area;
}

void TeamsTab::load(const QString &programFolder)
{
    const QStringList words = m_editor.load(programFolder);
    m_fileWords->setText(words.join(u'\n'));
    m_fileWords->setAccessibleName(m_fileWords->text());
    say(TeamProblem::None, {});
    showTeams(m_editor.teams().isEmpty() ? -1 : 0);
}

TextFile::WriteResult TeamsTab::apply(const QString &programFolder)
{
    return m_editor.apply(programFolder);
}

void TeamsTab::setControls(const OptionsControls &controls)
{
    m_penalty->setChecked(controls.check(PenaltyKey));
}

void TeamsTab::readControls(OptionsControls &controls) const
{
    controls.setCheck(PenaltyKey, m_penalty->isChecked());
}

qsizetype TeamsTab::selected() const
{
    return m_list->currentRow();
}

void TeamsTab::showTeams(qsizetype selectedRow)
{
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    const QList<Team> &teams = m_editor.teams();
    for (qsizetype i = 0; i < teams.size(); ++i)
        m_list->addItem(new QListWidgetItem(swatch(teams.at(i).colour), rowText(i, teams.at(i))));
    m_list->setCurrentRow(int(selectedRow));
    const bool editable = m_editor.isEditable();
    m_list->setEnabled(editable);
    m_add->setEnabled(editable && teams.size() < MaxTeams);
    showSelected();
}

void TeamsTab::showSelected()
{
    const qsizetype index = selected();
    const bool chosen = m_editor.isEditable() && index >= 0 && index < m_editor.teams().size();
    const Team team = chosen ? m_editor.teams().at(index) : Team{};
    m_name->setText(team.name);
    m_key->setText(team.key.isNull() ? QString() : QString(team.key));
    for (QWidget *control : {static_cast<QWidget *>(m_name), static_cast<QWidget *>(m_key),
                             static_cast<QWidget *>(m_remove)})
        control->setEnabled(chosen);
    for (QPushButton *colour : std::as_const(m_colours)) {
        colour->setEnabled(chosen);
        colour->setChecked(chosen &&
                           TeamsEditor::palette().at(m_colours.indexOf(colour)) == team.colour);
    }
    m_up->setEnabled(chosen && index > 0);
    m_down->setEnabled(chosen && index + 1 < m_editor.teams().size());
}

void TeamsTab::say(TeamProblem problem, const Team &candidate)
{
    m_refusal->setText(TeamWords::problem(problem, candidate));
    m_refusal->setAccessibleName(m_refusal->text());
}

// Any change of the selected team; a refused one leaves the team and its fields as they were.
void TeamsTab::edit(const Team &team)
{
    const qsizetype index = selected();
    if (index < 0)
        return;
    const TeamProblem problem = m_editor.replace(index, team);
    say(problem, team);
    showTeams(index);
}

void TeamsTab::commitName()
{
    const qsizetype index = selected();
    if (index < 0 || m_name->text() == m_editor.teams().at(index).name)
        return;
    Team team = m_editor.teams().at(index);
    team.name = m_name->text();
    edit(team);
}

void TeamsTab::commitKey(const QString &text)
{
    const qsizetype index = selected();
    if (index < 0)
        return;
    // The character just typed counts, wherever the cursor stood; an emptied field is no key.
    const int at = m_key->cursorPosition() - 1;
    Team team = m_editor.teams().at(index);
    team.key = Teams::normalKey(at >= 0 && at < text.size() ? QString(text.at(at)) : QString());
    edit(team);
}

void TeamsTab::move(int step)
{
    const qsizetype index = selected();
    if (m_editor.move(index, step))
        showTeams(index + step);
}
