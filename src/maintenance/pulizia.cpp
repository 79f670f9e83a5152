#include "maintenance/pulizia.h"

#include "core/appstate.h"
#include "core/ports.h"
#include "maintenance/songdeletion.h"
#include "maintenance/unusedsongs.h"
#include "widgets/namedcontrols.h"
#include "widgets/twips.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>

namespace {

const QString Title = QStringLiteral("Pulizia file inutili");
const QString Explanation = QStringLiteral(
    "Attraverso questa operazione verranno eliminati i file multimediali (audio e video) salvati "
    "nella cartella di Zefiro che sono stati usati in precedenza e che adesso non servono più al "
    "programma. Se si è sicuri di continuare premere Prosegui altrimenti premere Chiudi. "
    "Attenzione, i nuovi file inutili verranno considerati tali solo dopo che le modifiche sono "
    "state applicate");
constexpr int Width = 7200;

// A label that works as a link: underlined, with the hand pointer, and a click on release.
class LinkLabel : public QLabel {
public:
    std::function<void()> clicked;
    using QLabel::QLabel;

protected:
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
            clicked)
            clicked();
    }
};

} // namespace

using NamedControls::button;

Pulizia::Pulizia(AppState &state, QuestionPort &questions, std::function<void()> afterDeletion,
                 QWidget *parent)
    : QDialog(parent), m_state(state), m_questions(questions),
      m_afterDeletion(std::move(afterDeletion))
{
    setObjectName(QStringLiteral("Pulizia"));
    setWindowTitle(Title);
    buildControls();
    CaricaDati();
    showDetails(false);
}

void Pulizia::openModal(AppState &state, QuestionPort &questions,
                        std::function<void()> afterDeletion, QWidget *parent)
{
    Pulizia window(state, questions, std::move(afterDeletion), parent);
    window.setWindowModality(Qt::ApplicationModal);
    window.exec();
}

void Pulizia::buildControls()
{
    auto *layout = new QVBoxLayout(this);
    const int margin = Twips::toPixels(180);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(Twips::toPixels(120));

    auto *explanation = new QLabel(Explanation, this);
    explanation->setObjectName(QStringLiteral("Label1"));
    explanation->setAccessibleName(Explanation);
    explanation->setWordWrap(true);
    layout->addWidget(explanation);

    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("lblNFiles"));
    QFont bold = m_count->font();
    bold.setBold(true);
    m_count->setFont(bold);
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("DelBar"));
    m_bar->setAccessibleName(QStringLiteral("Eliminazione file"));
    m_bar->setTextVisible(false);
    // The bar's place is kept while it is hidden: showing it must not make the row taller and
    // push the list down in the middle of the deletion.
    QSizePolicy keepPlace = m_bar->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    m_bar->setSizePolicy(keepPlace);
    m_bar->hide();
    auto *countRow = new QHBoxLayout;
    countRow->addWidget(m_count);
    countRow->addWidget(m_bar, 1);
    layout->addLayout(countRow);
    m_gap = new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Expanding);
    layout->addSpacerItem(m_gap);

    auto *link = new LinkLabel(this);
    link->setObjectName(QStringLiteral("lblMostraDettagli"));
    link->setCursor(Qt::PointingHandCursor);
    QFont underlined = link->font();
    underlined.setUnderline(true);
    link->setFont(underlined);
    link->setStyleSheet(QStringLiteral("color: palette(link);"));
    link->clicked = [this] { showDetails(!m_details); };
    m_detailsLink = link;
    m_proceed = button(this, "btnProsegui", QStringLiteral("Prosegui"));
    m_proceed->setDefault(true);
    m_close = button(this, "btnChiudi", QStringLiteral("Chiudi"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_detailsLink);
    buttons->addStretch();
    buttons->addWidget(m_proceed);
    buttons->addWidget(m_close);
    layout->addLayout(buttons);

    m_detailsPart = buildDetails();
    layout->addWidget(m_detailsPart, 1);

    connect(m_proceed, &QPushButton::clicked, this, &Pulizia::prosegui);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

QWidget *Pulizia::buildDetails()
{
    auto *part = new QWidget(this);
    auto *layout = new QVBoxLayout(part);
    layout->setContentsMargins(0, 0, 0, 0);
    m_files = new QListWidget(part);
    m_files->setObjectName(QStringLiteral("ListMusic"));
    m_files->setAccessibleName(QStringLiteral("File inutili"));
    m_files->setUniformItemSizes(true);
    layout->addWidget(m_files, 1);
    m_select = button(part, "btnSel", QStringLiteral("Seleziona tutti"));
    m_deselect = button(part, "btnDesel", QStringLiteral("Deseleziona tutti"));
    auto *row = new QHBoxLayout;
    row->addWidget(m_select);
    row->addWidget(m_deselect);
    row->addStretch();
    layout->addLayout(row);
    connect(m_files, &QListWidget::itemChanged, this, &Pulizia::tickChanged);
    connect(m_select, &QPushButton::clicked, this, [this] { tickAll(true); });
    connect(m_deselect, &QPushButton::clicked, this, [this] { tickAll(false); });
    return part;
}

void Pulizia::CaricaDati()
{
    m_loaded = false;
    m_list.load(UnusedSongs::cleanupFiles(m_state));
    m_files->clear();
    for (qsizetype i = 0; i < m_list.size(); ++i) {
        auto *item = new QListWidgetItem(m_list.name(i), m_files);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    m_files->setCurrentRow(-1);
    EtichettaNFile();
    m_loaded = true;
}

void Pulizia::EtichettaNFile()
{
    m_count->setText(m_list.caption());
    m_count->setAccessibleName(m_count->text());
    m_proceed->setEnabled(m_list.count() > 0);
    const bool entries = m_list.size() > 0;
    m_select->setEnabled(entries);
    m_deselect->setEnabled(entries);
}

void Pulizia::showDetails(bool shown)
{
    m_details = shown;
    const QString caption =
        shown ? QStringLiteral("Nascondi Dettagli") : QStringLiteral("Mostra Dettagli");
    m_detailsLink->setText(caption);
    m_detailsLink->setAccessibleName(caption);
    m_detailsPart->setVisible(shown);
    // Compact, the buttons sit at the bottom; with the details, right above the list.
    m_gap->changeSize(0, 0, QSizePolicy::Minimum,
                      shown ? QSizePolicy::Fixed : QSizePolicy::Expanding);
    layout()->invalidate();
    setFixedSize(Twips::toPixels(Width), Twips::toPixels(shown ? DetailsHeight : CompactHeight));
}

void Pulizia::tickChanged(QListWidgetItem *item)
{
    if (!m_loaded)
        return;
    m_list.setTicked(m_files->row(item), item->checkState() == Qt::Checked);
    EtichettaNFile();
}

void Pulizia::tickAll(bool ticked)
{
    for (int i = 0; i < m_files->count(); ++i)
        m_files->item(i)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    m_files->setCurrentRow(-1);
}

void Pulizia::prosegui()
{
    for (QPushButton *shown : {m_proceed, m_close, m_select, m_deselect})
        shown->setEnabled(false);
    m_bar->setRange(0, m_list.count());
    m_bar->setValue(0);
    m_bar->show();
    m_count->setText(QStringLiteral("Eliminazione file in corso..."));
    repaint();
    // The bar is repainted in place: no pending event runs while files are being deleted.
    const SongDeletion::Result result =
        SongDeletion::deleteUnused(m_state, m_list.ticked(), [this](int deleted) {
            m_bar->setValue(deleted);
            m_bar->repaint();
        });
    m_bar->hide();
    m_close->setEnabled(true);
    CaricaDati();
    if (m_afterDeletion)
        m_afterDeletion();
    if (!result.failed.isEmpty())
        m_questions.inform(SongDeletion::failureText(result.failed), Title,
                           QuestionPort::Icon::Warning);
}
