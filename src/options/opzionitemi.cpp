#include "options/opzionitemi.h"

#include "core/appstate.h"
#include "core/ports.h"
#include "core/settingsfile.h"
#include "core/themes.h"
#include "options/themepreview.h"
#include "widgets/namedcontrols.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

OpzioniTemi::OpzioniTemi(AppState &state, ProgressPort &progress, QuestionPort &questions,
                         ThemeTarget &board, std::function<void()> endProgram, QWidget *parent)
    : QWidget(parent), m_state(state), m_progress(progress), m_questions(questions), m_board(board),
      m_endProgram(std::move(endProgram))
{
    setObjectName(QStringLiteral("frOpzioni0"));
    auto *layout = new QGridLayout(this);
    layout->addWidget(
        NamedControls::label(this, "lblSkin", QStringLiteral("Seleziona il tema qui sotto")), 0, 0);
    layout->addWidget(NamedControls::label(this, "lblAnteprima", QStringLiteral("Anteprima")), 0,
                      1);
    m_skin = new QListWidget(this);
    m_skin->setObjectName(QStringLiteral("Skin"));
    m_skin->setToolTip(QStringLiteral("Seleziona il tema che preferisci e premi Applica Tema"));
    m_skin->setAccessibleName(m_skin->toolTip());
    layout->addWidget(m_skin, 1, 0, 2, 1);
    m_preview = new ThemePreview(this);
    layout->addWidget(m_preview, 1, 1, Qt::AlignTop);

    // The two buttons stand under the preview, as wide as it is together.
    auto *buttons = new QWidget(this);
    auto *row = new QGridLayout(buttons);
    row->setContentsMargins(0, 0, 0, 0);
    auto *applyButton =
        NamedControls::button(buttons, "btnApplicaTema", QStringLiteral("Applica il tema"),
                              QStringLiteral("Applica il tema selezionato"));
    auto *rescanButton = NamedControls::button(
        buttons, "CambInter", QStringLiteral("Aggiorna i temi"),
        QStringLiteral("Ricontrolla i temi presenti nella cartella Temi del programma"));
    row->addWidget(applyButton, 0, 0);
    row->addWidget(rescanButton, 0, 1);
    buttons->setFixedWidth(m_preview->width());
    layout->addWidget(buttons, 2, 1, Qt::AlignTop);
    layout->setRowStretch(2, 1);
    layout->setColumnStretch(0, 1);

    connect(m_skin, &QListWidget::currentRowChanged, this, &OpzioniTemi::selectTheme);
    connect(applyButton, &QPushButton::clicked, this, [this] {
        applyTheme();
        if (const auto written = SalvaImpostazioni(m_state); !written.ok)
            m_questions.inform(QStringLiteral("Impossibile salvare le impostazioni: ") +
                                   written.error,
                               QStringLiteral("Opzioni"), QuestionPort::Icon::Critical);
    });
    connect(rescanButton, &QPushButton::clicked, this, &OpzioniTemi::rescan);
}

void OpzioniTemi::fill()
{
    {
        const QSignalBlocker quiet(m_skin);
        m_skin->clear();
        m_skin->addItems(m_state.TemiTitoli);
    }
    selectTheme(m_state.settings.number(QStringLiteral("indextema")));
}

void OpzioniTemi::selectTheme(int row)
{
    // The list may lag behind the theme list during a rescan; then clicks do nothing.
    if (m_skin->count() != m_state.TemiCartelle.size())
        return;
    if (row < 0 || row >= m_skin->count()) {
        // Nothing selected; the preview keeps the last theme drawn.
        const QSignalBlocker quiet(m_skin);
        m_skin->setCurrentRow(-1);
        return;
    }
    if (m_skin->currentRow() != row) {
        const QSignalBlocker quiet(m_skin);
        m_skin->setCurrentRow(row);
    }
    m_state.TemaScelto = row;
    Themes(m_state, m_progress, m_questions).ApplicaTema(m_state.TemiCartelle.at(row), *m_preview);
}

void OpzioniTemi::applyTheme()
{
    // Nothing is selected after a rescan lost the applied theme: the theme the rescan kept for
    // the stored index is applied, and the list shows it again.
    const int row = m_skin->currentRow();
    if (row >= 0 && row < m_state.TemiCartelle.size())
        m_state.TemaScelto = row;
    if (m_state.TemaScelto < 0 || m_state.TemaScelto >= m_state.TemiCartelle.size())
        return;
    Themes(m_state, m_progress, m_questions).ImpostaTema(m_board);
    if (row != m_state.TemaScelto)
        selectTheme(m_state.TemaScelto);
}

int OpzioniTemi::currentTheme() const
{
    return m_skin->currentRow();
}

void OpzioniTemi::rescan()
{
    {
        const QSignalBlocker quiet(m_skin);
        m_skin->clear();
    }
    m_progress.setTitle(QStringLiteral("Aggiornamento Temi"));
    const bool found = Themes(m_state, m_progress, m_questions).CaricaTemi();
    m_progress.close();
    if (!found) {
        // The presenter has been told; the program ends the normal way, saving what it must.
        if (m_endProgram)
            m_endProgram();
        return;
    }
    Themes(m_state, m_progress, m_questions).ScegliTema();
    fill();
}
