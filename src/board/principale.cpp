#include "board/principale.h"

#include "board/audienceentries.h"
#include "board/boardgame.h"
#include "board/boardmouse.h"
#include "board/boardpeers.h"
#include "board/boardpicture.h"
#include "board/focusframe.h"
#include "board/mouserules.h"
#include "board/titlebar.h"
#include "core/appstate.h"
#include "core/categories.h"
#include "core/restorefile.h"
#include "core/settingsfile.h"
#include "core/textfile.h"
#include "widgets/themedbutton.h"
#include "widgets/twips.h"

#include <QCloseEvent>
#include <QCursor>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QUrl>

Principale::Principale(AppState &state, BoardPeers &peers, QuestionPort &questions, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_state(state), m_peers(peers),
      m_questions(questions)
{
    setObjectName(QStringLiteral("Principale"));
    setWindowTitle(QStringLiteral("Zefiro"));
    setMouseTracking(true);
    // The keys come to the board itself: no control of it takes the focus.
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleDescription(BoardKeys::boardHelp());
    setGeometry(TitleBarControl::designedWindowPixels());
    buildControls();
    applyCursorAndIcon();
}

Principale::~Principale() = default;

void Principale::buildControls()
{
    m_mouse = new BoardMouse(
        this,
        {[this] { m_grid->unhover(); },
         [this](Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
             releaseOnSurface(button, modifiers);
         },
         [this](int category, int index) { m_grid->hover(category, index); },
         [this](int category, int index, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
             releaseOnNumber(category, index, button, modifiers);
         },
         [this](QPoint global) { pointerMoved(global); }});
    m_tabella = new BoardPicture(this);
    m_tabella->setObjectName(QStringLiteral("Tabella"));
    m_tabella->setMouseTracking(true);
    m_tabella->installEventFilter(m_mouse);
    m_mouse->setSurface(m_tabella);

    m_grid = std::make_unique<NumberGrid>(this, m_mouse);
    m_grid->marksChanged = [this] { emit marksChanged(); };
    m_frame = new FocusFrame(this);
    m_game =
        new BoardGame(*this, m_state, *m_grid, m_questions,
                      [this](bool ok, const QString &error) { reportRestoreWrite(ok, error); });
    connect(m_game, &BoardGame::gameChanged, this, &Principale::gameChanged);
    m_audience = std::make_unique<AudienceEntries>(*this, m_peers);

    m_reset = new ThemedButton(QStringLiteral("Reset"), this);
    m_reset->setObjectName(QStringLiteral("Reset"));
    m_reset->setToolTip(QStringLiteral("Il gioco ricomincia da capo"));
    // No key press may reset a game: Space or Enter on a focused Reset would wipe every mark.
    m_reset->setFocusPolicy(Qt::NoFocus);
    connect(m_reset, &QPushButton::clicked, this, &Principale::onReset);

    m_esci = new ThemedButton(QStringLiteral("Esci"), this);
    m_esci->setObjectName(QStringLiteral("btnEsci"));
    m_esci->setToolTip(QStringLiteral("Esci da programma"));
    m_esci->setFocusPolicy(Qt::NoFocus);
    QFont exitFont(QStringLiteral("MS Sans Serif"));
    exitFont.setPointSizeF(13.5);
    m_esci->setFont(exitFont);
    connect(m_esci, &QPushButton::clicked, this, &Principale::close);

    m_bar = new TitleBarControl(*this);

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(4);
    connect(m_timer1, &QTimer::timeout, this, &Principale::Ridimensiona);
}

void Principale::applyCursorAndIcon()
{
    const QPixmap pointer(m_state.file(QStringLiteral("puntatore.png")));
    if (!pointer.isNull())
        setCursor(QCursor(pointer, 0, 0));
    const QPixmap icon(m_state.file(QStringLiteral("icona.png")));
    if (!icon.isNull()) {
        setWindowIcon(QIcon(icon));
        m_bar->titleBar()->Image1->setPixmap(icon);
    }
}

void Principale::load()
{
    m_bar->load();

    BoardLayout::placeAtLoad(m_geometry, Twips::fromPixels(width()), Twips::fromPixels(height()));
    applyGeometry();

    for (const RestoreFile::Mark &mark : RipristinaGiocate(m_state.Path))
        m_grid->setPlayed(mark.category, mark.number, true);
    m_game->load();
    applyGeometry();
    m_state.Avvio = 0;
}

void Principale::showBoard()
{
    m_bar->maximise();
    // Laid out for the whole screen at once, so the first paint already shows the board as it
    // stays. Left to Timer1, the layout would wait behind whatever runs after that paint (the
    // media warm-up) while the board showed its designed size.
    Ridimensiona();
    // The picture is decoded at that size while the window manager maps the window.
    m_tabella->decodeAhead();
}

void Principale::Ridimensiona()
{
    const bool minimised = isMinimized();
    const BoardLayout::PassResult pass =
        BoardLayout::resizePass(m_geometry, Twips::fromPixels(width()), Twips::fromPixels(height()),
                                minimised, barAnimation().bar.width);
    if (pass.barCentred)
        m_bar->centre(pass.barLeft);
    applyGeometry();
    if (pass.snapHeight || pass.snapWidth) {
        resize(pass.snapWidth ? Twips::toPixels(BoardLayout::SmallestWidth) : width(),
               pass.snapHeight ? Twips::toPixels(BoardLayout::SmallestHeight) : height());
    }
    if (m_state.OpzioniAperte)
        m_peers.focusOptions();
    m_timer1->stop();
}

void Principale::applyGeometry()
{
    const auto place = [](QWidget *widget, const BoardLayout::Box &box) {
        widget->setGeometry(Twips::toPixels(box.left, box.top, box.width, box.height));
    };
    place(m_tabella, m_geometry.tabella);
    place(m_reset, m_geometry.reset);
    m_game->place(m_geometry);
    place(m_esci, m_geometry.btnEsci);
    m_grid->place(m_geometry);
    placeFrame();
    m_audience->place(m_geometry.tabella);
}

void Principale::placeFrame()
{
    m_frame->setVisible(m_keys.visible());
    if (m_keys.visible())
        m_frame->surround(number(m_keys.category(), m_keys.index())->geometry());
}

void Principale::setBoardPicture(const QString &file)
{
    // An unreadable file leaves the picture shown so far.
    if (!m_tabella->setPictureFile(file))
        return;
    m_pictureFile = file;
    emit themeChanged();
}

void Principale::setExitPicture(const QString &file)
{
    const QPixmap picture(file);
    if (picture.isNull())
        return;
    m_esci->setPicture(picture);
    m_reset->matchColours(*m_esci);
}

void Principale::setBackgroundColour(int colour)
{
    const QColor rgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, rgb);
    colours.setColor(QPalette::WindowText, rgb);
    setPalette(colours);
    setAutoFillBackground(true);
    m_esci->setBackdrop(rgb);
    m_reset->setBackdrop(rgb);
    m_reset->matchColours(*m_esci);
    m_backgroundColour = colour;
    emit themeChanged();
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

void Principale::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (m_ended)
        return;
    m_ended = true;
    m_timer1->stop();
    m_bar->stop();
    endRun();
    emit terminated();
}

// The normal end of the run: the next start shows a clean board with the settings kept.
void Principale::endRun()
{
    m_peers.unloadOthers();
    // A restore file that outlives the end only brings this game's marks back next time.
    static_cast<void>(EliminaRipristino(m_state.Path));
    m_game->finish();
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

void Principale::mousePressEvent(QMouseEvent *event)
{
    event->accept();
}

void Principale::mouseReleaseEvent(QMouseEvent *event)
{
    releaseOnSurface(event->button(), event->modifiers());
}

void Principale::mouseMoveEvent(QMouseEvent *event)
{
    pointerMoved(event->globalPosition().toPoint());
    m_bar->pointerAt(Twips::fromPixels(event->position().y()));
    m_grid->unhover();
}

void Principale::pointerMoved(QPoint global)
{
    if (m_keys.pointerMoved(global))
        placeFrame();
}

// A key that acts is the click it stands for, on the focused number or on the picture.
void Principale::keyPressEvent(QKeyEvent *event)
{
    if (m_audience->key(*event) || m_game->key(*event)) {
        event->accept();
        return;
    }
    const BoardKeys::Outcome outcome =
        m_keys.press(event->key(), event->modifiers(), event->isAutoRepeat(), m_state.OpzioniAperte,
                     QCursor::pos());
    switch (outcome.kind) {
    case BoardKeys::Outcome::Kind::None:
        QWidget::keyPressEvent(event);
        return;
    case BoardKeys::Outcome::Kind::Frame:
        placeFrame();
        break;
    case BoardKeys::Outcome::Kind::Number:
        releaseOnNumber(m_keys.category(), m_keys.index(), outcome.button, outcome.modifiers);
        break;
    case BoardKeys::Outcome::Kind::Surface:
        releaseOnSurface(outcome.button, outcome.modifiers);
        break;
    }
    event->accept();
}

void Principale::releaseOnSurface(Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    if (MouseRules::onSurface(button, modifiers) == MouseRules::Action::ShowOptions)
        m_peers.showOptions();
    else if (button == Qt::RightButton && modifiers == Qt::NoModifier)
        m_audience->showMenu(QCursor::pos());
}

void Principale::releaseOnNumber(int category, int index, Qt::MouseButton button,
                                 Qt::KeyboardModifiers modifiers)
{
    switch (MouseRules::onNumber(button, modifiers, m_state.OpzioniAperte)) {
    case MouseRules::Action::Play:
        playNumber(category, index);
        break;
    case MouseRules::Action::Toggle:
        toggleNumber(category, index);
        break;
    case MouseRules::Action::ShowOptions:
        m_peers.showOptions();
        break;
    case MouseRules::Action::None:
        break;
    }
}

// The number is marked before the song plays and recorded only once the player has closed.
void Principale::playNumber(int category, int index)
{
    const SongSlot &slot = m_state.PercorsiSalvati.at(size_t(slotIndex(category, index)));
    percorso = slot.fullPath();
    m_grid->setPlayed(category, index, true);
    m_game->played(slotIndex(category, index));
    Tipo = slotTitle(category, index);
    const QPointer<Principale> alive(this);
    m_peers.playModal(percorso, Tipo);
    // The run may have ended while the song played (the system closing the board); the
    // restore file is gone by then and must not come back.
    if (!alive || m_ended)
        return;
    const TextFile::WriteResult written =
        RegistraGiocata(m_state.Path, ::category(category).code.toString(), index);
    reportRestoreWrite(written.ok, written.error);
}

void Principale::toggleNumber(int category, int index)
{
    if (m_game->toggle(slotIndex(category, index)))
        return;
    const QString code = ::category(category).code.toString();
    TextFile::WriteResult written;
    if (isPlayed(category, index)) {
        m_grid->setPlayed(category, index, false);
        written = AnnullaGiocata(m_state.Path, code, index);
    } else {
        m_grid->setPlayed(category, index, true);
        written = RegistraGiocata(m_state.Path, code, index);
    }
    reportRestoreWrite(written.ok, written.error);
}

// The game goes on without the restore file; the presenter hears of it once per run rather
// than at every click.
void Principale::reportRestoreWrite(bool ok, const QString &error)
{
    if (ok || m_restoreWarned)
        return;
    m_restoreWarned = true;
    m_questions.inform(QStringLiteral("Impossibile aggiornare il file ") +
                           m_state.file(QStringLiteral("Ripristino.sav")) + QStringLiteral(":\n") +
                           error +
                           QStringLiteral("\n\nSe il programma si chiude in modo imprevisto, "
                                          "i numeri giocati non verranno ripristinati."),
                       QStringLiteral("Zefiro"), QuestionPort::Icon::Warning);
}

void Principale::onReset()
{
    if (m_game->reset())
        return;
    m_grid->clearAll();
    if (!EliminaRipristino(m_state.Path))
        reportRestoreWrite(false, QStringLiteral("il file non può essere eliminato"));
}

GameSession *Principale::game() const
{
    return m_game->session();
}

void Principale::setTeams(const QList<Team> &teams)
{
    m_game->setTeams(teams);
    // Without the strip the exit button takes its full width again.
    Ridimensiona();
}

void Principale::Link(const QString &address)
{
    // A bare host such as "www.example.org" gets the web scheme the handler needs.
    QDesktopServices::openUrl(QUrl::fromUserInput(address));
}
