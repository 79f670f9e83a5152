#include "options/cellanimations.h"

#include "options/songcell.h"
#include "widgets/twips.h"

#include <QEvent>
#include <QToolButton>

namespace {
// The glyph buttons by CellPulse::Tipo; those of a row end with the row's label.
constexpr std::array<std::pair<int, const char *>, 8> Glyphs{{
    {CellPulse::Play, "imgPlay"},
    {CellPulse::Down, "lblGiu"},
    {CellPulse::Up, "lblSu"},
    {CellPulse::Browse, "lblBrowse"},
    {CellPulse::Menu, "lblMenu"},
    {CellPulse::Restore, "lblRipristina"},
    {CellPulse::MoveUp, "lblbSu"},
    {CellPulse::MoveDown, "lblbGiu"},
}};

QString glyphName(const CellPulse::Glyph &glyph)
{
    for (const auto &[tipo, name] : Glyphs) {
        if (tipo == glyph.tipo)
            return QString::fromLatin1(name) +
                   (tipo < CellPulse::MoveUp ? QString::number(glyph.index) : QString());
    }
    return {};
}

CellPulse::Glyph glyphOf(const QString &objectName)
{
    for (const auto &[tipo, name] : Glyphs) {
        const QString prefix = QString::fromLatin1(name);
        if (tipo >= CellPulse::MoveUp && objectName == prefix)
            return {tipo, 0};
        if (tipo < CellPulse::MoveUp && objectName.size() == prefix.size() + 1 &&
            objectName.startsWith(prefix))
            return {tipo, objectName.back().digitValue()};
    }
    return {};
}

void mirror(QTimer &timer, bool on)
{
    if (on && !timer.isActive())
        timer.start();
    else if (!on)
        timer.stop();
}
} // namespace

CellAnimations::CellAnimations(QWidget *area, const std::array<SongCell *, 5> &cells, int left,
                               int height)
    : QObject(area), m_area(area), m_cells(cells), m_left(left), m_height(height)
{
    const std::array<std::tuple<QTimer *, const char *, int>, 4> timers{{
        {&m_allunga, "TimerAllunga", CellStretch::IntervalMs},
        {&m_accorcia, "TimerAccorcia", CellStretch::IntervalMs},
        {&m_sposta, "TimerSposta", CellSlide::IntervalMs},
        {&m_colore, "tmrColore", CellPulse::IntervalMs},
    }};
    for (const auto &[timer, name, interval] : timers) {
        timer->setObjectName(QString::fromLatin1(name));
        timer->setInterval(interval);
    }
    connect(&m_allunga, &QTimer::timeout, this, [this] { stretchTick(true); });
    connect(&m_accorcia, &QTimer::timeout, this, [this] { stretchTick(false); });
    connect(&m_sposta, &QTimer::timeout, this, &CellAnimations::moveTick);
    connect(&m_colore, &QTimer::timeout, this, &CellAnimations::colourTick);
    for (SongCell *cell : m_cells)
        watch(cell);
    for (QToolButton *glyph : m_area->findChildren<QToolButton *>()) {
        if (glyphOf(glyph->objectName()).tipo != CellPulse::None)
            watch(glyph);
    }
    applyGeometry();
}

void CellAnimations::watch(QWidget *widget)
{
    widget->setAttribute(Qt::WA_Hover);
    widget->installEventFilter(this);
}

bool CellAnimations::eventFilter(QObject *watched, QEvent *event)
{
    const bool enter = event->type() == QEvent::Enter;
    if (!enter && event->type() != QEvent::Leave)
        return false;
    if (auto *glyph = qobject_cast<QToolButton *>(watched)) {
        if (enter) {
            glyphEntered(glyph);
        } else {
            paintGlyph(m_pulse.stop(), 0);
            mirrorTimers();
        }
    } else if (auto *cell = qobject_cast<SongCell *>(watched)) {
        if (enter)
            hover(cell->label());
        else
            leave();
    }
    return false;
}

void CellAnimations::hover(int label)
{
    m_stretch.AttivaAllunga(label);
    // The mouse on a cell area ends any glyph pulse.
    paintGlyph(m_pulse.stop(), 0);
    mirrorTimers();
    emit hoverChanged();
}

void CellAnimations::leave()
{
    m_stretch.Accorciatutti();
    mirrorTimers();
    emit hoverChanged();
}

void CellAnimations::glyphEntered(QToolButton *glyph)
{
    const CellPulse::Glyph which = glyphOf(glyph->objectName());
    paintGlyph(m_pulse.AnimaEtichetta(which.tipo, which.index), 0);
    mirrorTimers();
}

bool CellAnimations::underMouse(int label) const
{
    const CellStretch::Background b = m_stretch.background(label);
    return b == CellStretch::Background::NormOn || b == CellStretch::Background::SelOn;
}

void CellAnimations::place(const std::array<int, 5> &labelAt)
{
    if (m_slide.active())
        return;
    m_slide.place(labelAt);
    applyGeometry();
}

void CellAnimations::startMove(int position, int delta, bool selected)
{
    m_slide.start(position, delta, selected);
    mirrorTimers();
}

void CellAnimations::mirrorTimers()
{
    mirror(m_allunga, m_stretch.timerAllunga());
    mirror(m_accorcia, m_stretch.timerAccorcia());
    mirror(m_sposta, m_slide.active());
    mirror(m_colore, m_pulse.active());
}

void CellAnimations::stretchTick(bool grow)
{
    const auto hot = [this] {
        std::array<bool, 5> on{};
        for (int label = 0; label < 5; ++label)
            on.at(static_cast<std::size_t>(label)) = underMouse(label);
        return on;
    };
    const std::array<bool, 5> before = hot();
    if (grow)
        m_stretch.TimerAllunga_Timer();
    else
        m_stretch.TimerAccorcia_Timer();
    applyGeometry();
    mirrorTimers();
    if (before != hot())
        emit hoverChanged();
}

void CellAnimations::moveTick()
{
    const CellSlide::Tick tick = m_slide.TimerSposta_Timer();
    if (tick.raised >= 0)
        m_cells.at(static_cast<std::size_t>(tick.raised))->raise();
    applyGeometry();
    if (tick.swapped)
        emit swapped(tick.swapped->at(0), tick.swapped->at(1));
    if (tick.highlight)
        paintGlyph(m_pulse.AnimaEtichetta(tick.highlight->at(0), tick.highlight->at(1)), 0);
    mirrorTimers();
    if (tick.finished)
        emit moveFinished();
}

void CellAnimations::colourTick()
{
    m_pulse.tmrColore_Timer();
    paintGlyph({m_pulse.TipoEtichetta, m_pulse.iEtichetta}, m_pulse.LivelloGrigio);
}

void CellAnimations::paintGlyph(const CellPulse::Glyph &glyph, int grey)
{
    if (glyph.tipo == CellPulse::None)
        return;
    auto *button = m_area->findChild<QToolButton *>(glyphName(glyph));
    if (!button)
        return;
    // Grey 0 is the glyph at rest.
    button->setStyleSheet(grey == 0 ? QString()
                                    : QStringLiteral("QToolButton { color: rgb(%1, %1, %1); "
                                                     "background: rgba(%1, %1, %1, 110); }")
                                          .arg(grey));
}

void CellAnimations::applyGeometry()
{
    for (int label = 0; label < CellSlide::Cells; ++label) {
        m_cells.at(static_cast<std::size_t>(label))
            ->setGeometry(Twips::toPixels(m_left, m_slide.top(label) - CellSlide::PositionTops[0],
                                          m_stretch.width(label), m_height));
    }
}
