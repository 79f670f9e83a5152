#include "options/songcell.h"

#include "widgets/oneline.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QString Style = QStringLiteral(
    "SongCell { border: 1px solid palette(mid); border-radius: 6px; background: palette(button); }"
    "SongCell[look=\"selected\"] { background: palette(highlight); border-color: "
    "palette(highlight); }"
    "SongCell[hot=\"true\"] { border-color: palette(highlight); background: palette(light); }"
    "SongCell[hot=\"true\"][look=\"selected\"] { background: palette(highlight); }"
    "SongCell[red=\"true\"] { background: #fde8e8; border: 2px solid rgb(255, 0, 0); }"
    "SongCell[red=\"true\"][look=\"selected\"] { background: #f7c4c4; }"
    "QToolButton { border: none; border-radius: 4px; padding: 2px; }"
    "QToolButton:hover { background: palette(midlight); }");
}

SongCell::SongCell(int label, QWidget *parent) : QFrame(parent), m_label(label)
{
    setObjectName(QStringLiteral("imgTabella%1").arg(label));
    setStyleSheet(Style);
    setAttribute(Qt::WA_StyledBackground);
    // Name above, glyphs below: the name has the whole width of the cell even at rest, where a
    // single row left it a third of it.
    auto *rows = new QVBoxLayout(this);
    rows->setContentsMargins(10, 2, 4, 2);
    rows->setSpacing(0);
    m_name = new QLabel(this);
    m_name->setObjectName(QStringLiteral("Canzoni%1").arg(label));
    // A name is shown as written, never read as markup.
    m_name->setTextFormat(Qt::PlainText);
    m_name->setMinimumWidth(40);
    QFont font = m_name->font();
    font.setPointSizeF(font.pointSizeF() * 1.1);
    m_name->setFont(font);
    // The snippet's points stand right of the name, which gives way to them.
    m_snippet = new QLabel(this);
    m_snippet->setObjectName(QStringLiteral("lblEstratto%1").arg(label));
    m_snippet->hide();
    auto *nameRow = new QHBoxLayout;
    nameRow->setSpacing(8);
    nameRow->addWidget(m_name, 1);
    nameRow->addWidget(m_snippet);
    rows->addLayout(nameRow);
    auto *row = new QHBoxLayout;
    row->setSpacing(2);
    rows->addLayout(row);

    QToolButton *play = addButton("imgPlay", QStringLiteral("Riproduci la canzone"));
    play->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    QToolButton *browse = addButton("lblBrowse", QStringLiteral("Cambia la canzone"));
    browse->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    QToolButton *up = addButton("lblSu", QStringLiteral("Sposta la cella in alto"));
    up->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    QToolButton *down = addButton("lblGiu", QStringLiteral("Sposta la cella in basso"));
    down->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    QToolButton *restore =
        addButton("lblRipristina", QStringLiteral("Ripristina la canzone precedentemente salvata"));
    restore->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    m_menu = addButton("lblMenu", QStringLiteral("Apri menu modifica"));
    m_menu->setText(QStringLiteral("\u22EE"));
    m_menu->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (QToolButton *button : {play, browse, up, down, restore, m_menu})
        row->addWidget(button);
    // The glyphs stay where they are while the cell stretches under the mouse.
    row->addStretch();

    connect(play, &QToolButton::clicked, this, [this] { emit playRequested(m_label); });
    connect(browse, &QToolButton::clicked, this, [this] { emit browseRequested(m_label); });
    connect(up, &QToolButton::clicked, this, [this] { emit moveRequested(m_label, 1); });
    connect(down, &QToolButton::clicked, this, [this] { emit moveRequested(m_label, -1); });
    connect(restore, &QToolButton::clicked, this, [this] { emit restoreRequested(m_label); });
    connect(m_menu, &QToolButton::clicked, this, [this] {
        emit menuRequested(m_label, m_menu->mapToGlobal(m_menu->rect().bottomLeft()));
    });
}

QToolButton *SongCell::addButton(const char *name, const QString &tip)
{
    auto *button = new QToolButton(this);
    button->setObjectName(QString::fromLatin1(name) + QString::number(m_label));
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIconSize(QSize(16, 16));
    return button;
}

void SongCell::display(const QString &caption, const QString &path, bool red, Look look, bool hot)
{
    setProperty("hot", hot);
    m_caption = caption;
    m_red = red;
    setProperty("red", red);
    setProperty("look", look == Look::Selected ? QStringLiteral("selected") : QString());
    QPalette names = m_name->palette();
    const QPalette::ColorRole role =
        look == Look::Selected ? QPalette::HighlightedText : QPalette::ButtonText;
    names.setColor(QPalette::WindowText, red ? QColor(255, 0, 0) : palette().color(role));
    m_name->setPalette(names);
    QFont font = m_name->font();
    font.setBold(red);
    m_name->setFont(font);
    // The name may be shortened; the tooltip gives the whole of it, with its folder.
    m_name->setToolTip(path.isEmpty() ? caption : path);
    m_name->setAccessibleName(caption);
    style()->unpolish(this);
    style()->polish(this);
    elide();
}

void SongCell::showSnippet(const QString &points)
{
    m_snippet->setText(points);
    m_snippet->setAccessibleName(points.isEmpty() ? QString()
                                                  : QStringLiteral("Estratto ") + points);
    m_snippet->setVisible(!points.isEmpty());
}

QString SongCell::caption() const
{
    return m_caption;
}

void SongCell::elide()
{
    m_name->setText(
        m_name->fontMetrics().elidedText(oneLine(m_caption), Qt::ElideMiddle, m_name->width() - 2));
}

void SongCell::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    elide();
}

void SongCell::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint global = event->globalPosition().toPoint();
    if (m_name->geometry().contains(event->position().toPoint()))
        emit nameReleased(m_label, event->button(), global);
    else
        emit areaReleased(m_label, event->button(), global);
    event->accept();
}
