#include "options/songstab.h"

#include "maintenance/pulizia.h"
#include "options/songs/previewplayer.h"
#include "options/songs/previewview.h"
#include "platform/mediastack.h"
#include "platform/qtmediaplayer.h"

#include "core/appstate.h"
#include "core/ports.h"
#include "core/songcheck.h"
#include "options/cellanimations.h"
#include "options/qtsongfiledialog.h"
#include "options/snippetbuttons.h"
#include "options/songcell.h"
#include "options/songs/nofileblink.h"
#include "options/songsmenu.h"
#include "widgets/namedcontrols.h"
#include "widgets/twips.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
// Tops of the five screen positions and the rest size of a cell, in twips.
constexpr int Pitch = 840;
constexpr int CellsLeft = 900;
constexpr int CellWidth = 7000;
constexpr int CellHeight = 720;
} // namespace

SongsTab::SongsTab(AppState &state, QuestionPort &questions, ProgressPort &progress,
                   StartupWindows &windows, QWidget *parent)
    : QWidget(parent), m_state(state), m_questions(questions),
      // Without a back end Qt ends the program at its first player: none is made then.
      m_previewMedia(mediaBackendFound() ? std::make_unique<QtMediaPlayer>() : nullptr),
      m_preview(m_previewMedia ? std::make_unique<PreviewPlayer>(*m_previewMedia) : nullptr),
      m_check(std::make_unique<SongCheck>(state, progress, questions, windows)),
      m_dialog(std::make_unique<QtSongFileDialog>(this)),
      m_noFileBlink(std::make_unique<NoFileBlink>())
{
    setObjectName(QStringLiteral("frOpzioni1"));
    m_editor = std::make_unique<SongEditor>(state, *m_check, questions, *m_dialog, [this] {
        return m_unused ? m_unused() : QStringList();
    });
    auto *layout = new QVBoxLayout(this);
    buildHeader();
    auto *area = new QWidget(this);
    area->setObjectName(QStringLiteral("celle"));
    area->setFixedHeight(Twips::toPixels(4 * Pitch + CellHeight + 60));
    buildCells(area);
    layout->addWidget(area);
    buildPreview();
    buildFooter();
    m_blink = new QTimer(this);
    m_blink->setObjectName(QStringLiteral("Timer1"));
    connect(m_blink, &QTimer::timeout, this, [this] {
        m_noFileBlink->Timer1_Timer();
        showBlink();
    });
}

SongsTab::~SongsTab()
{
    stopPreview();
}

void SongsTab::stopPreview()
{
    if (m_preview)
        m_preview->stop();
}

void SongsTab::buildPreview()
{
    auto *row = new QHBoxLayout;
    if (!m_preview) {
        // Where the player would be, the presenter reads why no song can be heard.
        auto *notice = NamedControls::label(this, "lblNoAnteprima", missingMediaStackWarning());
        notice->setWordWrap(true);
        row->addWidget(notice);
    } else {
        auto *view = new PreviewView(*m_preview, *m_previewMedia, this);
        row->addWidget(view, 1);
        row->addWidget(view->captionLabel(), 1);
    }
    static_cast<QVBoxLayout *>(layout())->addLayout(row);
    if (m_preview)
        layout()->addWidget(new SnippetButtons(
            *m_editor, *m_preview, *m_previewMedia, [this] { return m_category->text(); },
            [this] { redraw(); }, this));
}

void SongsTab::playPreview(int label)
{
    if (!m_preview) {
        m_questions.inform(missingMediaStackWarning(), QStringLiteral("Zefiro"),
                           QuestionPort::Icon::Warning);
        return;
    }
    PreviewPlayer::Cell cell;
    cell.category = m_category->text();
    cell.label = label;
    cell.position = m_editor->positionOf(label);
    cell.song = m_state.PercorsiModifica.at(static_cast<std::size_t>(m_editor->slotOf(label)));
    cell.caption = cellAt(label)->caption();
    m_preview->PlayWMP(cell);
}

void SongsTab::openCleanup()
{
    // After a deletion the cells are checked again, as when the window opens: a slot of the
    // working table may point at a file that has gone meanwhile, and "OK" must then warn.
    Pulizia::openModal(
        m_state, m_questions,
        [this] {
            m_editor->refresh();
            redraw();
        },
        this);
}

void SongsTab::buildHeader()
{
    auto *header = new QHBoxLayout;
    m_combo = new QComboBox(this);
    m_combo->setObjectName(QStringLiteral("ComboSelCateg"));
    m_combo->setToolTip(QStringLiteral("Seleziona la categoria da modificare"));
    m_combo->setAccessibleName(m_combo->toolTip());
    for (const Category &c : categories())
        m_combo->addItem(c.displayName.toString());
    m_category = NamedControls::label(this, "lblCategoria", {});
    QFont big = m_category->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    m_category->setFont(big);
    header->addWidget(m_combo);
    header->addSpacing(12);
    header->addWidget(m_category, 1);
    static_cast<QVBoxLayout *>(layout())->addLayout(header);
    auto *hint = NamedControls::label(
        this, "IstrImpCanz",
        QStringLiteral("Fare click sinistro sul nome di una delle canzoni per  "
                       "  riprodurla, click destro per sostituirla"));
    hint->setWordWrap(true);
    layout()->addWidget(hint);
    connect(m_combo, &QComboBox::activated, this, [this](int index) {
        if (m_animations->moving()) { // the sliding cell belongs to the category shown
            m_combo->setCurrentIndex(m_editor->varCategCombo());
            return;
        }
        m_editor->ComboSelCateg_Click(index);
        redraw();
    });
}

void SongsTab::buildCells(QWidget *area)
{
    for (int i = 0; i < 5; ++i) {
        m_points.at(static_cast<std::size_t>(i)) = buildPoints(area, i);
        auto *cell = new SongCell(i, area);
        m_cells.at(static_cast<std::size_t>(i)) = cell;
        connectCell(cell);
    }
    buildArrows(area);
    buildAnimations(area);
}

// The points of a screen position ("10" .. "50"), beside the cells; they never move.
QLabel *SongsTab::buildPoints(QWidget *area, int position)
{
    auto *points = NamedControls::label(area, "", QString::number((position + 1) * 10));
    points->setObjectName(QStringLiteral("ImposNum%1").arg(position));
    QFont font = points->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    points->setFont(font);
    points->setAlignment(Qt::AlignCenter);
    points->setGeometry(Twips::toPixels(0, position * Pitch, CellsLeft - 60, CellHeight));
    return points;
}

void SongsTab::connectCell(SongCell *cell)
{
    connect(cell, &SongCell::areaReleased, this, [this](int label, Qt::MouseButton b, QPoint at) {
        if (b == Qt::RightButton) {
            openMenu(label, at);
            return;
        }
        m_editor->SelDeselPulsante(label, SongEditor::Button::Left);
        redraw();
    });
    connect(cell, &SongCell::nameReleased, this, [this](int label, Qt::MouseButton b, QPoint) {
        if (b == Qt::RightButton) {
            m_editor->chooseFile(label);
            redraw();
        } else if (b == Qt::LeftButton) {
            playPreview(label);
        }
    });
    connect(cell, &SongCell::playRequested, this, &SongsTab::playPreview);
    connect(cell, &SongCell::menuRequested, this, &SongsTab::openMenu);
    connect(cell, &SongCell::browseRequested, this, [this](int label) {
        m_editor->chooseFile(label);
        redraw();
    });
    connect(cell, &SongCell::restoreRequested, this, [this](int label) {
        m_editor->Ripristina(label);
        redraw();
    });
    connect(cell, &SongCell::moveRequested, this, [this](int label, int delta) {
        if (m_editor->cellMove(label, delta))
            runMoves(delta);
    });
}

// lblbSu and lblbGiu, right of the cells: they move the selected cell.
void SongsTab::buildArrows(QWidget *area)
{
    const int arrowsLeft = CellsLeft + CellWidth + 120;
    const std::array<std::pair<const char *, int>, 2> arrows{{{"lblbSu", 1}, {"lblbGiu", -1}}};
    for (const auto &[name, delta] : arrows) {
        auto *arrow = new QToolButton(area);
        arrow->setObjectName(QString::fromLatin1(name));
        arrow->setToolTip(delta > 0 ? QStringLiteral("Sposta in alto la cella selezionata")
                                    : QStringLiteral("Sposta in basso la cella selezionata"));
        arrow->setAccessibleName(arrow->toolTip());
        arrow->setIcon(
            style()->standardIcon(delta > 0 ? QStyle::SP_ArrowUp : QStyle::SP_ArrowDown));
        arrow->setIconSize(QSize(24, 24));
        arrow->setGeometry(
            Twips::toPixels(arrowsLeft, delta > 0 ? Pitch + 60 : 3 * Pitch - 60, 540, 540));
        connect(arrow, &QToolButton::clicked, this, [this, delta = delta] {
            if (m_editor->selectionMove(delta))
                runMoves(delta);
        });
    }
}

void SongsTab::buildAnimations(QWidget *area)
{
    m_animations = new CellAnimations(area, m_cells, CellsLeft, CellHeight);
    connect(m_animations, &CellAnimations::hoverChanged, this, &SongsTab::redraw);
    connect(m_animations, &CellAnimations::swapped, this, [this](int a, int b) {
        // The slide finished a step from a toward b: the two songs change points.
        (void)m_editor->stepMove(a - b);
        if (m_preview)
            m_preview->cellsSwapped(m_category->text(), a, b);
        redraw();
    });
    connect(m_animations, &CellAnimations::moveFinished, this, [this] {
        (void)m_editor->stepMove(); // ends a move stopped at the end of the column
        redraw();
    });
}

void SongsTab::buildFooter()
{
    m_noFile = NamedControls::label(
        this, "lblNoFile",
        QStringLiteral("ATTENZIONE alcune caselle non hanno impostata nessuna "
                       "canzone. Scorrere le categorie e sistemare le caselle con "
                       "i nomi in rosso, altrimenti queste non verranno "
                       "riprodotte"));
    m_noFile->setWordWrap(true);
    m_noFile->hide();
    m_noFile->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0); font-weight: bold;"));
    QSizePolicy keep(QSizePolicy::Preferred, QSizePolicy::Fixed);
    keep.setRetainSizeWhenHidden(true);
    m_noFile->setSizePolicy(keep);
    layout()->addWidget(m_noFile);
    auto *row = new QHBoxLayout;
    auto *apply =
        NamedControls::button(this, "btnApplicaCanzoni", QStringLiteral("Applica modifiche"), {});
    auto *reset = NamedControls::button(
        this, "btnAggiornaCanzoni", QStringLiteral("Resetta"),
        QStringLiteral("Tutte le modifiche fatte alle canzoni dopo aver premuto Applica o Applica "
                       "modifiche verrà dimenticato"));
    auto *clean =
        NamedControls::button(this, "btnPulisciCanzoni", QStringLiteral("Pulisci"),
                              QStringLiteral("Verranno eliminate le canzoni che non servono al "
                                             "programma risparmiando così spazio sul disco"));
    auto *check =
        NamedControls::button(this, "btnVerificaBrani", QStringLiteral("Verifica brani"),
                              QStringLiteral("Prova ogni canzone e ne misura durata e volume"));
    for (QPushButton *button : {apply, reset, clean, check})
        row->addWidget(button);
    row->addStretch();
    static_cast<QVBoxLayout *>(layout())->addLayout(row);
    static_cast<QVBoxLayout *>(layout())->addStretch();
    connect(apply, &QPushButton::clicked, this, [this] {
        (void)m_editor->ApplicaModifiche(); // a failed copy or save has been reported
        redraw();
    });
    connect(reset, &QPushButton::clicked, this, [this] {
        m_editor->Resetta();
        redraw();
    });
    connect(clean, &QPushButton::clicked, this, [this] {
        emit cleanupRequested();
        openCleanup();
    });
    connect(check, &QPushButton::clicked, this, &SongsTab::songCheckRequested);
}

void SongsTab::showCategory()
{
    m_combo->setCurrentIndex(m_editor->varCategCombo());
    m_editor->ComboSelCateg_Click(m_editor->varCategCombo());
    redraw();
}

void SongsTab::redraw()
{
    const int shown = m_editor->varCategCombo();
    m_category->setText(category(shown).displayName.toString());
    m_category->setProperty("tag", QString::number(category(shown).base));
    m_animations->setStretching(m_state.settings.number(QStringLiteral("allungacella")) == 1);
    m_animations->place(m_editor->order());
    for (int label = 0; label < 5; ++label) {
        const SongEditor::Cell cell = m_editor->cell(label);
        const SongSlot &song =
            m_state.PercorsiModifica.at(static_cast<std::size_t>(m_editor->slotOf(label)));
        // The path as the table names it: a redraw never reads the folder.
        cellAt(label)->display(
            cell.caption, song.file.isEmpty() ? QString() : song.folder + song.sourceName(),
            cell.red, cell.selected ? SongCell::Look::Selected : SongCell::Look::Normal,
            m_animations->underMouse(label));
        cellAt(label)->showSnippet(cell.snippet);
    }
    if (m_editor->noFileShown() != m_noFileBlink->running()) {
        m_noFileBlink->setWanted(m_editor->noFileShown());
        showBlink();
    }
}

void SongsTab::showBlink()
{
    m_noFile->setVisible(m_noFileBlink->visible());
    if (m_noFileBlink->running())
        m_blink->start(m_noFileBlink->intervalMs());
    else
        m_blink->stop();
}

void SongsTab::runMoves(int delta)
{
    // The cell slides; each completed step exchanges two songs (see the swapped signal).
    m_animations->startMove(m_editor->iSelezionato(), delta, m_editor->moveKeepsSelection());
    redraw();
}

void SongsTab::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_editor->deselect();
        redraw();
    }
    QWidget::mouseReleaseEvent(event);
}

void SongsTab::openMenu(int label, QPoint global)
{
    if (m_editor->DiffSposta() != 0)
        return;
    SongsMenu menu(m_editor->openMenu(label), this);
    redraw(); // the cell is selected now
    const SongsMenu::Choice choice = menu.exec(global);
    switch (choice.action) {
    case SongsMenu::Action::None:
        break;
    case SongsMenu::Action::Play:
        playPreview(label);
        break;
    case SongsMenu::Action::Edit:
        m_editor->chooseFile(label);
        break;
    case SongsMenu::Action::Remove:
        m_editor->RimuoviCanzone(m_editor->positionOf(label));
        break;
    case SongsMenu::Action::Copy:
        m_editor->Copia();
        break;
    case SongsMenu::Action::Paste:
        m_editor->Incolla();
        break;
    case SongsMenu::Action::MoveTo:
        m_editor->SpCanzone(choice.index, choice.category);
        break;
    case SongsMenu::Action::ReplaceWith:
        m_editor->StCanzone(choice.index, choice.category);
        break;
    case SongsMenu::Action::UseUnused:
        m_editor->useUnused(choice.file);
        break;
    case SongsMenu::Action::MoveUp:
    case SongsMenu::Action::MoveDown:
        if (const int delta = choice.action == SongsMenu::Action::MoveUp ? 1 : -1;
            m_editor->selectionMove(delta))
            runMoves(delta);
        break;
    }
    redraw();
}
