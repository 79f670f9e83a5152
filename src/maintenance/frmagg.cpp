#include "maintenance/frmagg.h"

#include "core/appstate.h"
#include "maintenance/updatecheck.h"
#include "widgets/namedcontrols.h"
#include "widgets/twips.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

frmAgg::frmAgg(AppState &state, UpdateCheck &check, std::function<void(const QString &)> link,
               QString website, QWidget *parent)
    : QWidget(parent, Qt::Window), m_state(state), m_check(check), m_link(std::move(link)),
      m_website(std::move(website))
{
    setObjectName(QStringLiteral("frmAgg"));
    setWindowTitle(QStringLiteral("Aggiornamenti"));
    buildControls();
    connect(&m_check, &UpdateCheck::finished, this, &frmAgg::fill);
    CheckAgg();
}

using NamedControls::button;
using NamedControls::label;

void frmAgg::buildControls()
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(Twips::toPixels(240), Twips::toPixels(240), Twips::toPixels(240),
                             Twips::toPixels(240));
    grid->setHorizontalSpacing(Twips::toPixels(180));
    grid->setVerticalSpacing(Twips::toPixels(120));
    grid->addWidget(label(this, "Label1", QStringLiteral("Versione installata:")), 0, 0);
    m_installed = label(this, "lblInstallata", QString());
    grid->addWidget(m_installed, 0, 1);
    grid->addWidget(label(this, "Label2", QStringLiteral("Versione corrente:")), 1, 0);
    m_current = label(this, "lblCorrente", QString());
    grid->addWidget(m_current, 1, 1);
    m_status = label(this, "lblStato", QString());
    m_status->setWordWrap(true);
    QFont bold = m_status->font();
    bold.setBold(true);
    m_status->setFont(bold);
    grid->addWidget(m_status, 2, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    auto *buttons = new QHBoxLayout;
    // The grid's two spacings differ, so a nested row would take none of its own.
    buttons->setSpacing(Twips::toPixels(120));
    m_reload = button(this, "btnRicarica", QStringLiteral("Ricarica"));
    auto *site = button(this, "Command1", QStringLiteral("Visita il sito degli Aggiornamenti"));
    auto *close = button(this, "btnChiudi", QStringLiteral("Chiudi"));
    buttons->addWidget(m_reload);
    buttons->addWidget(site);
    buttons->addStretch();
    buttons->addWidget(close);
    grid->addLayout(buttons, 3, 0, 1, 2);
    connect(m_reload, &QPushButton::clicked, this, &frmAgg::CheckAgg);
    connect(site, &QPushButton::clicked, this, [this] { m_link(m_website); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    setMinimumWidth(Twips::toPixels(6600));
}

void frmAgg::CheckAgg()
{
    m_state.AggiornamentoAperto = true;
    if (m_check.running())
        return;
    m_installed->setText(ProgramVersion::current().text());
    m_reload->setEnabled(false);
    m_check.ControllaAggiornamenti();
}

void frmAgg::fill(UpdateResult result)
{
    m_reload->setEnabled(true);
    m_installed->setText(ProgramVersion::current().text());
    switch (result) {
    case UpdateResult::Newer:
        m_current->setText(m_check.VersioneServer().join(u'.'));
        m_status->setText(QStringLiteral("Sono presenti degli aggiornamenti per il programma"));
        break;
    case UpdateResult::Failed:
        m_current->setText(QStringLiteral("Sconosciuta"));
        m_status->setText(QStringLiteral("Impossibile verificare la presenza di aggiornamenti"));
        break;
    case UpdateResult::UpToDate:
        m_current->setText(m_installed->text());
        m_status->setText(QStringLiteral("Il programma è aggiornato all'ultima versione"));
        break;
    }
    for (QLabel *shown : {m_current, m_status})
        shown->setAccessibleName(shown->text());
}
