#include "board/principale.h"

#include "board/boardpeers.h"
#include "board/titlebar.h"
#include "core/appstate.h"
#include "core/categories.h"
#include "core/restorefile.h"
#include "core/settingsfile.h"
#include "core/textfile.h"
#include "widgets/twips.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace {

QTimer *boardTimer(const QString &name, int interval, QObject *parent)
{
    auto *timer = new QTimer(parent);
    timer->setObjectName(name);
    timer->setInterval(interval);
    return timer;
}

} // namespace

Principale::Principale(AppState &state, BoardPeers &peers, QuestionPort &questions, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_state(state), m_peers(peers),
      m_questions(questions)
{
    setObjectName(QStringLiteral("Principale"));
    setWindowTitle(QStringLiteral("Zefiro"));
    setMouseTracking(true);
    setGeometry(designedWindowPixels());
    buildControls();
    applyCursorAndIcon();
}

Principale::~Principale() = default;

void Principale::buildControls()
{
    m_tabella = new QLabel(this);
    m_tabella->setObjectName(QStringLiteral("Tabella"));
    m_tabella->setScaledContents(true);
    m_tabella->setMouseTracking(true);
    m_tabella->installEventFilter(this);

    buildNumbers();

    m_reset = new QPushButton(QStringLiteral("Reset"), this);
    m_reset->setObjectName(QStringLiteral("Reset"));
    m_reset->setToolTip(QStringLiteral("Il gioco ricomincia da capo"));
    // No key press may reset a game: Space or Enter on a focused Reset would wipe every mark.
    m_reset->setFocusPolicy(Qt::NoFocus);
    connect(m_reset, &QPushButton::clicked, this, &Principale::onReset);

    m_esci = new QPushButton(QStringLiteral("Esci"), this);
    m_esci->setObjectName(QStringLiteral("btnEsci"));
    m_esci->setToolTip(QStringLiteral("Esci da programma"));
    m_esci->setFocusPolicy(Qt::NoFocus);
    QFont exitFont(QStringLiteral("MS Sans Serif"));
    exitFont.setPointSizeF(13.5);
    m_esci->setFont(exitFont);
    connect(m_esci, &QPushButton::clicked, this, &Principale::close);

    m_titleBar = new TitleBar(this);
    connectTitleBar();

    m_timer1 = boardTimer(QStringLiteral("Timer1"), 4, this);
    connect(m_timer1, &QTimer::timeout, this, &Principale::Ridimensiona);
    m_timer2 = boardTimer(QStringLiteral("Timer2"), 10, this);
    connect(m_timer2, &QTimer::timeout, this, &Principale::onTimer2);
    m_timer3 = boardTimer(QStringLiteral("Timer3"), 10, this);
    connect(m_timer3, &QTimer::timeout, this, &Principale::onTimer3);
}

void Principale::buildNumbers()
{
    QFont font(QStringLiteral("Comic Sans MS"), 36, QFont::Bold);
    for (int c = 0; c < CategoryCount; ++c) {
        for (int i = 0; i < SlotsPerCategory; ++i) {
            auto *label = new QLabel(QString::number(slotPoints(i)), this);
            label->setObjectName(category(c).array.toString() + u'_' + QString::number(i));
            label->setFont(font);
            label->setAlignment(Qt::AlignCenter);
            label->setMouseTracking(true);
            label->setProperty("category", c);
            label->setProperty("index", i);
            label->installEventFilter(this);
            m_numbers.at(size_t(c)).at(size_t(i)) = label;
            paintFree(c, i);
        }
    }
}

void Principale::applyCursorAndIcon()
{
    const QPixmap pointer(m_state.file(QStringLiteral("puntatore.png")));
    if (!pointer.isNull())
        setCursor(QCursor(pointer, 0, 0));
    const QPixmap icon(m_state.file(QStringLiteral("icona.png")));
    if (!icon.isNull()) {
        setWindowIcon(QIcon(icon));
        m_titleBar->Image1->setPixmap(icon);
    }
}

QLabel *Principale::number(int category, int index) const
{
    return m_numbers.at(size_t(category)).at(size_t(index));
}

void Principale::load()
{
    m_drag.setOrigin(positionTwips().x(), positionTwips().y());
    m_bar.bar.visible = false;
    m_bar.bar.height = 350;
    m_bar.bar.top = -350;
    m_titleBar->apply(m_bar.bar);

    BoardLayout::placeAtLoad(m_geometry, Twips::fromPixels(width()), Twips::fromPixels(height()));
    applyGeometry();

    for (const RestoreFile::Mark &mark : RipristinaGiocate(m_state.Path))
        paintPlayed(mark.category, mark.number);
    m_state.Avvio = 0;
}

void Principale::showBoard()
{
    maximise();
}

void Principale::Ridimensiona()
{
    const bool minimised = isMinimized();
    const BoardLayout::PassResult pass =
        BoardLayout::ridimensiona(m_geometry, Twips::fromPixels(width()),
                                  Twips::fromPixels(height()), minimised, m_bar.bar.width);
    if (pass.barCentred) {
        m_bar.bar.left = pass.barLeft;
        m_titleBar->apply(m_bar.bar);
    }
    applyGeometry();
    if (pass.snapHeight || pass.snapWidth) {
        resize(pass.snapWidth ? Twips::toPixels(BoardLayout::SmallestWidth) : width(),
               pass.snapHeight ? Twips::toPixels(BoardLayout::SmallestHeight) : height());
    }
    if (m_state.OpzioniAperte)
        m_peers.focusOptions();
    m_timer1->stop();
}

void Principale::PosizionaRiga(int category)
{
    BoardLayout::posizionaRiga(m_geometry, category);
    applyRow(category);
}

void Principale::applyGeometry()
{
    const auto place = [](QWidget *widget, const BoardLayout::Box &box) {
        widget->setGeometry(Twips::toPixels(box.left, box.top, box.width, box.height));
    };
    place(m_tabella, m_geometry.tabella);
    place(m_reset, m_geometry.reset);
    place(m_esci, m_geometry.btnEsci);
    applyExitIcon();
    for (int c = 0; c < CategoryCount; ++c)
        applyRow(c);
}

void Principale::applyRow(int category)
{
    for (int i = 0; i < SlotsPerCategory; ++i) {
        const BoardLayout::Box &box = m_geometry.numbers.at(size_t(category)).at(size_t(i));
        number(category, i)->setGeometry(Twips::toPixels(box.left, box.top, box.width, box.height));
    }
}

void Principale::setBoardPicture(const QString &file)
{
    const QPixmap picture(file);
    if (!picture.isNull())
        m_tabella->setPixmap(picture);
}

void Principale::setExitPicture(const QString &file)
{
    const QPixmap picture(file);
    if (picture.isNull())
        return;
    m_exitPicture = picture;
    m_esci->setIcon(QIcon(picture));
    applyExitIcon();
}

// The exit picture stands beside the caption, as large as the button's height allows.
void Principale::applyExitIcon()
{
    if (m_exitPicture.isNull())
        return;
    const QSize room(qMax(1, m_esci->width() - 80), qMax(1, m_esci->height() - 6));
    m_esci->setIconSize(m_exitPicture.size().scaled(room, Qt::KeepAspectRatio));
}

void Principale::setBackgroundColour(int colour)
{
    const QColor rgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, rgb);
    colours.setColor(QPalette::WindowText, rgb);
    setPalette(colours);
    setAutoFillBackground(true);
}

void Principale::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_timer1->start();
}

void Principale::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow())
        return;
    // A modeless options or update window never stays behind the board.
    if (m_state.OpzioniAperte)
        m_peers.focusOptions();
    else if (m_state.AggiornamentoAperto)
        m_peers.focusUpdate();
}

void Principale::Termina()
{
    close();
}

void Principale::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (m_ended)
        return;
    m_ended = true;
    m_timer1->stop();
    m_timer2->stop();
    m_timer3->stop();
    endRun();
    emit terminated();
}

// The normal end of the run: the next start shows a clean board with the settings kept.
void Principale::endRun()
{
    m_peers.unloadOthers();
    // A restore file that outlives the end only brings this game's marks back next time.
    static_cast<void>(EliminaRipristino(m_state.Path));
    static_cast<void>(TextFile::removeIfExists(m_state.file(QStringLiteral("CheckCanzoni.ini"))));
    const TextFile::WriteResult saved = SalvaImpostazioni(m_state);
    if (!saved.ok) {
        m_questions.inform(QStringLiteral("Impossibile salvare le impostazioni nel file ") +
                               m_state.file(QStringLiteral("Impostazioni.ini")) +
                               QStringLiteral(":\n") + saved.error +
                               QStringLiteral("\n\nLe modifiche di questa sessione sono "
                                              "andate perse."),
                           QStringLiteral("Zefiro"), QuestionPort::Icon::Warning);
    }
}

QRect Principale::designedWindowPixels()
{
    const BoardLayout::Box &box = BoardLayout::DesignedWindow;
    return Twips::toPixels(box.left, box.top, box.width, box.height);
}

QPointF Principale::positionTwips() const
{
    return {Twips::fromPixels(x()), Twips::fromPixels(y())};
}
