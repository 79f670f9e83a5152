#include "board/audienceentries.h"
#include "board/boardpicture.h"
#include "board/principale.h"
#include "core/appstate.h"
#include "tests/board/recordingpeers.h"
#include "tests/core/startupfakes.h"
#include "tests/core/testfiles.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QElapsedTimer>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;

using Cell = QPoint; // x: category, y: index
using Mods = Qt::KeyboardModifiers;

// A point of the bare window: left of the board picture, below the title bar's strip.
const QPoint Bare(50, 400);

class TestPrincipale : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<RecordingPeers> m_peers;
    std::unique_ptr<ScriptedQuestions> m_questions;
    std::unique_ptr<Principale> m_board;

    static QColor buttonText() { return QApplication::palette().color(QPalette::ButtonText); }
    static QColor buttonFace() { return QApplication::palette().color(QPalette::Button); }
    static QColor colour(const QLabel *l) { return l->palette().color(QPalette::WindowText); }
    QString restorePath() const { return m_state->file(QStringLiteral("Ripristino.sav")); }
    QLabel *label(int c, int i) const { return m_board->number(c, i); }
    bool isFree(int c, int i) const
    {
        return colour(label(c, i)) == buttonText() && !label(c, i)->font().strikeOut();
    }
    bool isMarked(int c, int i) const
    {
        return colour(label(c, i)) == QColor(255, 0, 0) && label(c, i)->font().strikeOut();
    }
    void click(int c, int i, Qt::MouseButton button, Mods mods = {})
    {
        QTest::mouseClick(label(c, i), button, mods);
    }
    template <class T> T *child(const char *name) const
    {
        return m_board->findChild<T *>(QString::fromLatin1(name));
    }
    // Real key presses through the window system, in the form of BoardKeys' tests: L R U D the
    // arrows, E Enter, M, O Ctrl+O.
    void press(const QString &script)
    {
        static const QHash<QChar, std::pair<Qt::Key, Mods>> table{
            {u'L', {Qt::Key_Left, {}}},
            {u'R', {Qt::Key_Right, {}}},
            {u'U', {Qt::Key_Up, {}}},
            {u'D', {Qt::Key_Down, {}}},
            {u'E', {Qt::Key_Return, {}}},
            {u'M', {Qt::Key_M, {}}},
            {u'O', {Qt::Key_O, Qt::ControlModifier}},
        };
        for (const QString &token : script.split(u' ', Qt::SkipEmptyParts)) {
            const auto [key, mods] = table.value(token.front());
            QTest::keyClick(m_board->windowHandle(), key, mods);
        }
    }
    QWidget *frame() const { return child<QWidget>("CorniceTastiera"); }
    bool frameAround(int c, int i) const
    {
        return frame()->isVisible() && frame()->geometry().contains(label(c, i)->geometry()) &&
               frame()->geometry().width() < label(c, i)->width() + 20;
    }
    // Loads and shows the board, then waits for the first layout of the 800 x 800 screen.
    bool showBoard()
    {
        m_board->load();
        m_board->showBoard();
        auto *tabella = child<QLabel>("Tabella");
        return QTest::qWaitForWindowExposed(m_board.get()) && QTest::qWaitFor([tabella] {
                   return tabella->geometry() == QRect(167, 67, 467, 640);
               });
    }

private slots:
    // Roles that a default palette may share get colours of their own, so that a number
    // painted with the wrong role shows it.
    void initTestCase()
    {
        QPalette colours = QApplication::palette();
        colours.setColor(QPalette::Button, QColor(200, 200, 100));
        colours.setColor(QPalette::ButtonText, QColor(10, 20, 30));
        colours.setColor(QPalette::Window, QColor(240, 240, 240));
        colours.setColor(QPalette::WindowText, QColor(0, 0, 0));
        QApplication::setPalette(colours);
    }

    void init()
    {
        // No window is open yet: this only keeps a test's first move from being a no-op.
        QCursor::setPos(799, 799);
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_state = std::make_unique<AppState>();
        m_state->Path = m_dir->path();
        for (int s = 0; s < SlotCount; ++s)
            m_state->PercorsiSalvati.at(size_t(s)) = {QStringLiteral("brano%1.mp3").arg(s),
                                                      m_state->songsFolder()};
        m_peers = std::make_unique<RecordingPeers>();
        m_questions = std::make_unique<ScriptedQuestions>();
        m_board = std::make_unique<Principale>(*m_state, *m_peers, *m_questions);
    }

    void cleanup()
    {
        m_board.reset();
        m_dir.reset();
    }

    void controls()
    {
        m_board->load();
        const QList<std::pair<const char *, int>> timers{
            {"Timer1", 4}, {"Timer2", 10}, {"Timer3", 10}};
        for (const auto &[name, interval] : timers) {
            QCOMPARE(child<QTimer>(name)->interval(), interval);
            QVERIFY2(!child<QTimer>(name)->isActive(), name);
        }
        QCOMPARE(m_board->windowTitle(), QStringLiteral("Zefiro"));
        QVERIFY(m_board->windowFlags() & Qt::FramelessWindowHint);
        auto *reset = child<QPushButton>("Reset");
        QCOMPARE(reset->text(), QStringLiteral("Reset"));
        QCOMPARE(reset->toolTip(), QStringLiteral("Il gioco ricomincia da capo"));
        auto *esci = child<QPushButton>("btnEsci");
        QCOMPARE(esci->text(), QStringLiteral("Esci"));
        QCOMPARE(esci->toolTip(), QStringLiteral("Esci da programma"));
        // The title bar waits hidden above the window, its buttons at their designed places.
        auto *bar = child<QWidget>("Picture1");
        QVERIFY(bar->isHidden());
        QCOMPARE(bar->geometry().top(), -23);
        QCOMPARE(bar->height(), 23);
        QVERIFY(bar->findChild<QLabel *>(QStringLiteral("Image1")));

        const QStringList arrays{QStringLiteral("spot"), QStringLiteral("canto"),
                                 QStringLiteral("ColSon"), QStringLiteral("Ballo"),
                                 QStringLiteral("SceEdu")};
        for (int c = 0; c < 5; ++c) {
            for (int i = 0; i < 5; ++i) {
                const QString name = arrays[c] + u'_' + QString::number(i);
                QCOMPARE(m_board->findChild<QLabel *>(name), label(c, i));
                QCOMPARE(label(c, i)->text(), QString::number((i + 1) * 10));
                QCOMPARE(label(c, i)->font().family(), QStringLiteral("Comic Sans MS"));
                QCOMPARE(label(c, i)->font().pointSize(), 36);
                QVERIFY(label(c, i)->font().bold());
                QVERIFY(isFree(c, i));
            }
        }
        // 12000 x 12000 twips: spot(0) at 4865, 1350.8; Ballo(4) at 8540, 7217.5; Reset at
        // 8525, 10850.
        QVERIFY(showBoard());
        QCOMPARE(label(0, 0)->geometry(), QRect(324, 90, 58, 67));
        QCOMPARE(label(3, 4)->geometry(), QRect(569, 481, 58, 67));
        QCOMPARE(reset->geometry(), QRect(568, 723, 65, 33));
    }

    // The first paint comes before any timer: the board must be laid out for the screen by then.
    void laidOutBeforeTheFirstPaint()
    {
        m_board->load();
        m_board->showBoard();
        QCOMPARE(child<QLabel>("Tabella")->geometry(), QRect(167, 67, 467, 640));
        QCOMPARE(label(0, 0)->geometry(), QRect(324, 90, 58, 67));
    }

    void leftClickPlays_data()
    {
        QTest::addColumn<int>("c");
        QTest::addColumn<int>("i");
        QTest::addColumn<Mods>("mods");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QByteArray>("record");
        QTest::newRow("Ballo 40") << 3 << 3 << Mods() << QStringLiteral("Ballo 40")
                                  << QByteArray("ba3\r\n");
        QTest::newRow("shift: Spot 10") << 0 << 0 << Mods(Qt::ShiftModifier)
                                        << QStringLiteral("Spot 10") << QByteArray("sp0\r\n");
        QTest::newRow("ctrl+alt: Colonne Sonore 30")
            << 2 << 2 << (Qt::ControlModifier | Qt::AltModifier)
            << QStringLiteral("Colonne Sonore 30") << QByteArray("cs2\r\n");
    }

    void leftClickPlays()
    {
        QFETCH(int, c);
        QFETCH(int, i);
        QFETCH(Mods, mods);
        QFETCH(QString, title);
        QVERIFY(showBoard());
        bool markedWhilePlaying = false;
        bool recordedWhilePlaying = true;
        QString percorso;
        m_peers->duringPlay = [&] {
            markedWhilePlaying = isMarked(c, i);
            recordedWhilePlaying = QFile::exists(restorePath());
            percorso = m_board->percorso;
        };
        click(c, i, Qt::LeftButton, mods);
        const QString song = m_state->songsFolder() + QStringLiteral("brano%1.mp3").arg(c * 5 + i);
        QCOMPARE(m_peers->plays.size(), 1);
        QCOMPARE(m_peers->plays[0].path, song);
        QCOMPARE(m_peers->plays[0].title, title);
        QCOMPARE(percorso, song);
        QCOMPARE(m_board->Tipo, title);
        QVERIFY(markedWhilePlaying);
        QVERIFY(!recordedWhilePlaying); // recorded only once the player has closed
        QTEST(readBytes(restorePath()), "record");
        QVERIFY(isMarked(c, i));
    }

    void replayAndToggle()
    {
        QVERIFY(showBoard());
        click(3, 3, Qt::LeftButton);
        click(0, 1, Qt::RightButton);
        click(3, 3, Qt::LeftButton); // plays again, stays red, one record
        QCOMPARE(m_peers->plays.size(), 2);
        QVERIFY(isMarked(3, 3));
        QVERIFY(isMarked(0, 1));
        QCOMPARE(readBytes(restorePath()), QByteArray("ba3\r\nsp1\r\n"));
        click(3, 3, Qt::RightButton);
        QVERIFY(isFree(3, 3));
        // The unmarked first line leaves its line break behind.
        QCOMPARE(readBytes(restorePath()), QByteArray("\r\nsp1\r\n\r\n"));
        QCOMPARE(m_peers->plays.size(), 2);
        QVERIFY(m_questions->asked.isEmpty());
    }

    // Clicks that play nothing: the options window, or nothing at all.
    void otherClicks_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<Mods>("mods");
        QTest::addColumn<bool>("optionsOpen");
        QTest::addColumn<bool>("played"); // the number is played beforehand
        QTest::addColumn<int>("shows");
        const Mods none, ctrl(Qt::ControlModifier), shift(Qt::ShiftModifier);
        const QString number = QStringLiteral("number"), tabella = QStringLiteral("Tabella"),
                      window = QStringLiteral("window");
        const Qt::MouseButton right = Qt::RightButton;
        QTest::newRow("ctrl+right on a number") << number << right << ctrl << false << false << 1;
        QTest::newRow("ctrl+right on the window") << window << right << ctrl << false << true << 1;
        QTest::newRow("ctrl+right on Tabella") << tabella << right << ctrl << false << false << 1;
        QTest::newRow("right+shift, played") << number << right << shift << false << true << 0;
        QTest::newRow("middle, played") << number << Qt::MiddleButton << none << false << true << 0;
        QTest::newRow("right+alt, played")
            << number << right << Mods(Qt::AltModifier) << false << true << 0;
        QTest::newRow("open: left on a number")
            << number << Qt::LeftButton << none << true << false << 0;
        QTest::newRow("open: right on a played number")
            << number << right << none << true << true << 0;
        QTest::newRow("open: ctrl+right on Tabella")
            << tabella << right << ctrl << true << false << 1;
        QTest::newRow("open: ctrl+right on the window")
            << window << right << ctrl << true << false << 1;
    }

    void otherClicks()
    {
        QFETCH(QString, target);
        QFETCH(Qt::MouseButton, button);
        QFETCH(Mods, mods);
        QFETCH(bool, optionsOpen);
        QFETCH(bool, played);
        QVERIFY(showBoard());
        if (played)
            click(3, 3, Qt::RightButton);
        const QByteArray before = readBytes(restorePath());
        m_state->OpzioniAperte = optionsOpen;
        if (target == u"number")
            click(3, 3, button, mods);
        else if (target == u"Tabella")
            QTest::mouseClick(child<QLabel>("Tabella"), button, mods, QPoint(5, 5));
        else
            QTest::mouseClick(m_board.get(), button, mods, Bare);
        QTEST(m_peers->optionsShown, "shows");
        QVERIFY(m_peers->plays.isEmpty());
        QVERIFY(played ? isMarked(3, 3) : isFree(3, 3));
        QCOMPARE(readBytes(restorePath()), before);
    }

    // Enter is a left click on the focused number, M a right click, Ctrl+O a ctrl + right
    // click on the picture: the same marks, records and windows.
    void keysPlayAndMark_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("plays");
        QTest::addColumn<QList<Cell>>("marked");
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<int>("shows");
        QTest::newRow("Enter plays Ballo 40")
            << "D D D D R R R E" << QStringList{QStringLiteral("Ballo 40")}
            << QList<Cell>{Cell(3, 3)} << QByteArray("ba3\r\n") << 0;
        QTest::newRow("the first Enter only shows the frame")
            << "E" << QStringList{} << QList<Cell>{} << QByteArray() << 0;
        QTest::newRow("Enter, Enter plays Spot 10")
            << "E E" << QStringList{QStringLiteral("Spot 10")} << QList<Cell>{Cell(0, 0)}
            << QByteArray("sp0\r\n") << 0;
        QTest::newRow("M marks Spot 20")
            << "R R M" << QStringList{} << QList<Cell>{Cell(0, 1)} << QByteArray("sp1\r\n") << 0;
        QTest::newRow("M twice unmarks")
            << "R R M M" << QStringList{} << QList<Cell>{} << QByteArray("\r\n\r\n") << 0;
        QTest::newRow("Ctrl+O opens the options")
            << "O" << QStringList{} << QList<Cell>{} << QByteArray() << 1;
    }

    void keysPlayAndMark()
    {
        QFETCH(QString, script);
        QFETCH(QStringList, plays);
        QFETCH(QList<Cell>, marked);
        QVERIFY(showBoard());
        bool markedWhilePlaying = false;
        m_peers->duringPlay = [&] { markedWhilePlaying = isMarked(3, 3) || isMarked(0, 0); };
        press(script);
        QStringList titles;
        for (const RecordingPeers::Play &play : std::as_const(m_peers->plays))
            titles << play.title;
        QCOMPARE(titles, plays);
        QCOMPARE(markedWhilePlaying, !plays.isEmpty());
        for (int c = 0; c < 5; ++c) {
            for (int i = 0; i < 5; ++i)
                QVERIFY2(marked.contains(Cell(c, i)) ? isMarked(c, i) : isFree(c, i),
                         qPrintable(QStringLiteral("%1 %2").arg(c).arg(i)));
        }
        QTEST(readBytes(restorePath()), "record");
        QTEST(m_peers->optionsShown, "shows");
    }

    // F5 and F6, or the menu of a plain right click on the picture, reach the audience window.
    void audienceKeysAndMenu_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("toggles");
        QTest::addColumn<int>("reveals");
        QTest::newRow("F5") << u"F5"_s << 1 << 0;
        QTest::newRow("F6") << u"F6"_s << 0 << 1;
        QTest::newRow("shift+F5 is not it") << u"shift+F5"_s << 0 << 0;
        QTest::newRow("menu Pubblico") << u"mnuPubblico"_s << 1 << 0;
        QTest::newRow("menu Rivela") << u"mnuRivela"_s << 0 << 1;
    }

    void audienceKeysAndMenu()
    {
        QFETCH(QString, how);
        QVERIFY(showBoard());
        QSignalSpy marks(m_board.get(), &Principale::marksChanged);
        if (how.startsWith(u"mnu")) {
            QTest::mouseClick(child<QLabel>("Tabella"), Qt::RightButton, {}, QPoint(5, 5));
            auto *menu = child<QMenu>("MenuPubblico");
            QVERIFY(menu);
            QTRY_VERIFY(menu->isVisible());
            auto *entry = menu->findChild<QAction *>(how);
            QVERIFY(entry);
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
        } else {
            QTest::keyClick(m_board->windowHandle(),
                            Qt::Key(how.endsWith(u"5") ? Qt::Key_F5 : Qt::Key_F6),
                            how.startsWith(u"shift") ? Qt::ShiftModifier : Qt::NoModifier);
        }
        QTEST(m_peers->audienceToggles, "toggles");
        QTEST(m_peers->reveals, "reveals");
        // The room's copy of the marks follows every change, not only the played numbers.
        QCOMPARE(marks.count(), 0);
        click(2, 2, Qt::RightButton);
        QCOMPARE(marks.count(), 1);
        m_board->audience().setLine(u"Nel blu"_s);
        QCOMPARE(child<QLabel>("RigaPubblico")->text(), u"Pubblico: Nel blu"_s);
        QVERIFY(child<QLabel>("RigaPubblico")->isVisible());
        m_board->audience().setLine({});
        QVERIFY(!child<QLabel>("RigaPubblico")->isVisible());
    }

    // The frame appears on Spot 10 at the first key, follows the arrows, and goes away when
    // the pointer moves; the next key brings it back where it was.
    void keyboardFrame()
    {
        QVERIFY(showBoard());
        QVERIFY(frame()->isHidden());
        press(QStringLiteral("D"));
        QVERIFY(frameAround(0, 0));
        press(QStringLiteral("D R R"));
        QVERIFY(frameAround(1, 2));
        QTest::mouseMove(label(4, 4));
        QVERIFY(frame()->isHidden());
        press(QStringLiteral("L"));
        QVERIFY(frameAround(1, 2));
        QTest::mouseMove(m_board.get(), Bare);
        QVERIFY(frame()->isHidden());
        // Keys tell the controls what they do.
        QVERIFY(label(2, 3)->accessibleDescription().contains(QStringLiteral("Invio")));
        QVERIFY(m_board->accessibleDescription().contains(QStringLiteral("Ctrl+O")));
    }

    // While the options window is open the keys do nothing on the board, as clicks do.
    void keysWaitForTheOptions()
    {
        QVERIFY(showBoard());
        click(0, 0, Qt::RightButton);
        const QByteArray before = readBytes(restorePath());
        m_state->OpzioniAperte = true;
        press(QStringLiteral("R E E M M O D R"));
        QVERIFY(frame()->isHidden());
        QVERIFY(m_peers->plays.isEmpty());
        QCOMPARE(m_peers->optionsShown, 0);
        QVERIFY(isMarked(0, 0));
        QCOMPARE(readBytes(restorePath()), before);
    }

    // Real pointer movement: each move reaches the control under the pointer.
    void hover()
    {
        QVERIFY(showBoard());
        QTest::mouseMove(label(0, 0));
        QCOMPARE(colour(label(0, 0)), buttonFace());
        QCOMPARE(m_board->grid().MoveCateg, 1);
        QTest::mouseMove(label(0, 0), QPoint(5, 5)); // still on the same number
        QCOMPARE(colour(label(0, 0)), buttonFace());
        QTest::mouseMove(label(0, 1));
        QVERIFY(isFree(0, 0));
        QCOMPARE(colour(label(0, 1)), buttonFace());
        QCOMPARE(m_board->grid().MoveIndex, 1);
        // A played number never shows the hover colour and is repainted red when left.
        click(1, 2, Qt::RightButton);
        QTest::mouseMove(label(1, 2));
        QVERIFY(isFree(0, 1));
        QVERIFY(isMarked(1, 2));
        QTest::mouseMove(label(1, 3));
        QVERIFY(isMarked(1, 2));
        QCOMPARE(colour(label(1, 3)), buttonFace());
        QTest::mouseMove(child<QLabel>("Tabella"), QPoint(3, 3));
        QVERIFY(isFree(1, 3));
        QCOMPARE(m_board->grid().MoveCateg, 0);
        QTest::mouseMove(label(4, 4));
        QCOMPARE(colour(label(4, 4)), buttonFace());
        QTest::mouseMove(m_board.get(), Bare);
        QVERIFY(isFree(4, 4));
        QCOMPARE(m_board->grid().MoveCateg, 0);
    }

    void reset()
    {
        QVERIFY(showBoard());
        for (const Cell &m : {Cell(0, 0), Cell(3, 3), Cell(4, 4)})
            click(m.x(), m.y(), Qt::RightButton);
        QVERIFY(QFile::exists(restorePath()));
        // Twice: with a restore file and a hovered number, then with neither.
        QTest::mouseMove(label(2, 2));
        for (int round = 0; round < 2; ++round) {
            QTest::mouseClick(child<QPushButton>("Reset"), Qt::LeftButton);
            for (int c = 0; c < 5; ++c) {
                for (int i = 0; i < 5; ++i)
                    QVERIFY2(isFree(c, i), qPrintable(QStringLiteral("%1 %2").arg(c).arg(i)));
            }
            QVERIFY(!QFile::exists(restorePath()));
        }
    }

    // Whether a number is played is the board's own record, not the colour it happens to
    // show: a system colour equal to the played red changes nothing.
    void playedIsNotAColour_data()
    {
        QTest::addColumn<QPalette::ColorRole>("role");
        QTest::addColumn<bool>("hovered");
        QTest::newRow("free numbers drawn red") << QPalette::ButtonText << false;
        QTest::newRow("hover colour red") << QPalette::Button << true;
    }

    void playedIsNotAColour()
    {
        QFETCH(QPalette::ColorRole, role);
        QFETCH(bool, hovered);
        const QPalette before = QApplication::palette();
        QPalette red = before;
        red.setColor(role, QColor(255, 0, 0));
        QApplication::setPalette(red);
        m_board = std::make_unique<Principale>(*m_state, *m_peers, *m_questions);
        const bool shown = showBoard();
        if (hovered)
            QTest::mouseMove(label(3, 3));
        click(3, 3, Qt::RightButton);
        const bool markedOnce = m_board->isPlayed(3, 3);
        const QByteArray recorded = readBytes(restorePath());
        if (hovered)
            QTest::mouseMove(label(3, 3));
        click(3, 3, Qt::RightButton);
        const bool markedTwice = m_board->isPlayed(3, 3);
        const QByteArray cleared = readBytes(restorePath());
        m_board.reset();
        QApplication::setPalette(before);
        QVERIFY(shown);
        QVERIFY(markedOnce);
        QVERIFY(recorded.contains("ba3"));
        QVERIFY(!markedTwice);
        QVERIFY(!cleared.contains("ba3"));
    }

    void loadRestoresMarks()
    {
        QVERIFY(writeBytes(restorePath(), "sp0\r\n\r\nSE4\r\nba2\r\n"));
        m_state->Avvio = 1;
        m_board->load();
        QCOMPARE(m_state->Avvio, 0);
        const QList<Cell> marked{{0, 0}, {4, 4}, {3, 2}};
        for (int c = 0; c < 5; ++c) {
            for (int i = 0; i < 5; ++i)
                QVERIFY(marked.contains(Cell(c, i)) ? isMarked(c, i) : isFree(c, i));
        }
        QCOMPARE(readBytes(restorePath()), QByteArray("sp0\r\n\r\nSE4\r\nba2\r\n"));
    }

    void normalEnd()
    {
        QVERIFY(showBoard());
        click(0, 0, Qt::RightButton);
        const QString check = m_state->file(QStringLiteral("CheckCanzoni.ini"));
        const QString settings = m_state->file(QStringLiteral("Impostazioni.ini"));
        QVERIFY(writeBytes(check, "3\r\n"));
        bool restoreAtUnload = false;
        m_peers->duringUnload = [&] { restoreAtUnload = QFile::exists(restorePath()); };
        QSignalSpy ended(m_board.get(), &Principale::terminated);
        QTest::mouseClick(child<QPushButton>("btnEsci"), Qt::LeftButton);
        QCOMPARE(m_peers->unloads, 1);
        QVERIFY(restoreAtUnload); // the other windows go first
        QVERIFY(!QFile::exists(restorePath()));
        QVERIFY(!QFile::exists(check));
        QCOMPARE(readBytes(settings), m_state->settings.writtenForm().toUtf8());
        QVERIFY(!readBytes(settings).isEmpty());
        QCOMPARE(ended.count(), 1);
        QVERIFY(!m_board->isVisible());
        QVERIFY(m_questions->asked.isEmpty());
    }

    void settingsWriteFails()
    {
        QVERIFY(showBoard());
        QVERIFY(QDir(m_state->Path).mkdir(QStringLiteral("Impostazioni.ini")));
        QSignalSpy ended(m_board.get(), &Principale::terminated);
        m_board->close();
        QCOMPARE(m_questions->asked.size(), 1);
        const ScriptedQuestions::Asked &warning = m_questions->asked[0];
        QVERIFY2(warning.text.contains(m_state->file(QStringLiteral("Impostazioni.ini"))),
                 qPrintable(warning.text));
        QCOMPARE(warning.icon, QuestionPort::Icon::Warning);
        QCOMPARE(ended.count(), 1);
    }

    // The system ends the program while a song plays: the run ends from inside the player,
    // and the click that opened it must not bring the restore file back afterwards.
    void endDuringSong()
    {
        QVERIFY(showBoard());
        click(0, 0, Qt::RightButton);
        QVERIFY(QFile::exists(restorePath()));
        QSignalSpy ended(m_board.get(), &Principale::terminated);
        m_peers->duringPlay = [this] { m_board->close(); };
        click(3, 3, Qt::LeftButton);
        QCOMPARE(ended.count(), 1);
        QCOMPARE(m_peers->unloads, 1);
        QVERIFY(!QFile::exists(restorePath()));
    }

    void restoreWriteWarnsOnce()
    {
        QVERIFY(showBoard());
        QVERIFY(QDir(m_state->Path).mkdir(QStringLiteral("Ripristino.sav")));
        click(0, 0, Qt::RightButton);
        click(3, 3, Qt::LeftButton);
        QCOMPARE(m_questions->asked.size(), 1);
        QVERIFY2(m_questions->asked[0].text.contains(restorePath()),
                 qPrintable(m_questions->asked[0].text));
        QVERIFY(isMarked(0, 0)); // the game goes on without the file
        QVERIFY(isMarked(3, 3));
    }

    // Reset clears the board even when the restore file cannot go, and says so once per run.
    void resetWarnsOnceWhenRestoreStays()
    {
        QVERIFY(showBoard());
        click(1, 2, Qt::RightButton);
        QVERIFY(QFile::remove(restorePath()));
        QVERIFY(QDir(m_state->Path).mkpath(QStringLiteral("Ripristino.sav/dentro")));
        for (int round = 0; round < 2; ++round) {
            QTest::mouseClick(child<QPushButton>("Reset"), Qt::LeftButton);
            QVERIFY(isFree(1, 2));
        }
        QCOMPARE(m_questions->asked.size(), 1);
        QVERIFY2(m_questions->asked[0].text.contains(restorePath()),
                 qPrintable(m_questions->asked[0].text));
    }

    void snapAfterResize_data()
    {
        QTest::addColumn<QSize>("asked");
        QTest::addColumn<bool>("minimised");
        QTest::addColumn<bool>("optionsOpen");
        QTest::addColumn<QSize>("kept");
        // 2411 and 5011 twips are 161 and 334 pixels.
        QTest::newRow("too low") << QSize(600, 100) << false << false << QSize(600, 161);
        QTest::newRow("too narrow") << QSize(200, 600) << false << false << QSize(334, 600);
        QTest::newRow("both, options open") << QSize(120, 90) << false << true << QSize(334, 161);
        QTest::newRow("minimised, never resized")
            << QSize(120, 90) << true << false << QSize(120, 90);
    }

    void snapAfterResize()
    {
        QFETCH(QSize, asked);
        QFETCH(bool, minimised);
        QFETCH(bool, optionsOpen);
        QFETCH(QSize, kept);
        QVERIFY(showBoard());
        auto *timer1 = child<QTimer>("Timer1");
        if (minimised) {
            QTest::mouseClick(child<QPushButton>("Minimizza"), Qt::LeftButton);
            QTRY_VERIFY(m_board->isMinimized());
            QTRY_VERIFY(!timer1->isActive());
        }
        m_state->OpzioniAperte = optionsOpen;
        const int focused = m_peers->optionsFocused;
        m_board->resize(asked);
        QVERIFY(timer1->isActive()); // the pass waits for Timer1
        QCOMPARE(m_board->size(), asked);
        QTRY_COMPARE(m_board->size(), kept);
        QTRY_VERIFY(!timer1->isActive());
        QCOMPARE(m_board->size(), kept);
        // Each pass ends by handing the focus to an open options window.
        QCOMPARE(m_peers->optionsFocused > focused, optionsOpen);
    }

    // The bar of the maximised board: called by the top edge, sent away by the bare window.
    // No key reaches Reset or the exit button: with marks on the board, no key press clears
    // them, deletes the restore file or ends the run.
    void keysLeaveTheGame_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::newRow("space") << QList<int>{Qt::Key_Space};
        QTest::newRow("return") << QList<int>{Qt::Key_Return};
        QTest::newRow("enter") << QList<int>{Qt::Key_Enter};
        QTest::newRow("escape") << QList<int>{Qt::Key_Escape};
        QTest::newRow("tab, space") << QList<int>{Qt::Key_Tab, Qt::Key_Space};
        QTest::newRow("tab twice, space") << QList<int>{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Space};
        // With the keyboard's frame on a played number, keys other than the board's own.
        const int right = Qt::Key_Right;
        QTest::newRow("frame, escape, delete, backspace")
            << QList<int>{right, Qt::Key_Escape, Qt::Key_Delete, Qt::Key_Backspace};
        QTest::newRow("frame, r, f5, home")
            << QList<int>{right, Qt::Key_R, Qt::Key_F5, Qt::Key_Home};
        QTest::newRow("frame, ctrl+r, ctrl+q, ctrl+n")
            << QList<int>{right, (Qt::CTRL | Qt::Key_R).toCombined(),
                          (Qt::CTRL | Qt::Key_Q).toCombined(), (Qt::CTRL | Qt::Key_N).toCombined()};
        QTest::newRow("frame, shift+m, ctrl+return, alt+m") << QList<int>{
            right, (Qt::SHIFT | Qt::Key_M).toCombined(), (Qt::CTRL | Qt::Key_Return).toCombined(),
            (Qt::ALT | Qt::Key_M).toCombined()};
    }

    void keysLeaveTheGame()
    {
        QFETCH(QList<int>, keys);
        QVERIFY(showBoard());
        QSignalSpy ended(m_board.get(), &Principale::terminated);
        m_board->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_board.get()));
        click(0, 0, Qt::RightButton);
        click(1, 1, Qt::RightButton);
        click(2, 3, Qt::RightButton);
        QVERIFY(QFile::exists(restorePath()));
        for (int key : keys) {
            QWidget *target = QApplication::focusWidget();
            QTest::keyClick(target ? target : m_board.get(),
                            Qt::Key(key & ~Qt::KeyboardModifierMask),
                            Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask));
        }
        QApplication::processEvents();
        QVERIFY(m_peers->plays.isEmpty());
        QVERIFY(isMarked(0, 0));
        QVERIFY(isMarked(1, 1));
        QVERIFY(isMarked(2, 3));
        QVERIFY(QFile::exists(restorePath()));
        QVERIFY(m_board->isVisible());
        QCOMPARE(ended.count(), 0);
        QCOMPARE(child<QPushButton>("Reset")->focusPolicy(), Qt::NoFocus);
        QCOMPARE(child<QPushButton>("btnEsci")->focusPolicy(), Qt::NoFocus);
    }

    // A pointer moving faster than the animation's interval over the bare window still lets
    // the bar slide out while it keeps moving.
    void slideOutWithMovingPointer()
    {
        QVERIFY(showBoard());
        auto *timer2 = child<QTimer>("Timer2");
        QTest::mouseMove(m_board.get(), QPoint(50, 0));
        QTRY_VERIFY(!timer2->isActive());
        QCOMPARE(m_board->barAnimation().bar.top, 0.0);
        QElapsedTimer moving;
        moving.start();
        for (int step = 0; m_board->barAnimation().bar.top > -350 && moving.elapsed() < 3000;
             ++step) {
            QTest::mouseMove(m_board.get(), Bare + QPoint(step % 40, 100 + step % 7));
            QTest::qWait(5);
        }
        QCOMPARE(m_board->barAnimation().bar.top, -350.0);
    }

    // In the normal state the window follows a drag of its bar while the pointer keeps moving.
    void dragFollowsMovingPointer()
    {
        QVERIFY(showBoard());
        auto *bar = child<QWidget>("Picture1");
        QTest::mouseMove(m_board.get(), QPoint(50, 0));
        QTRY_VERIFY(!child<QTimer>("Timer2")->isActive());
        QTest::mouseClick(bar->findChild<QPushButton *>(QStringLiteral("Normalizza")),
                          Qt::LeftButton);
        QCOMPARE(m_board->mode(), Principale::Mode::Normal);
        QTRY_VERIFY(!child<QTimer>("Timer2")->isActive());
        const QPoint start = m_board->pos();
        QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(20, 5));
        QElapsedTimer moving;
        moving.start();
        for (int step = 1; m_board->pos() == start && moving.elapsed() < 3000; ++step) {
            QTest::mouseMove(bar, QPoint(20 + step % 30 + 1, 5));
            QTest::qWait(5);
        }
        QVERIFY(m_board->pos() != start);
        QTest::mouseRelease(bar, Qt::LeftButton);
    }

    void titleBarSlides()
    {
        QVERIFY(showBoard());
        auto *timer2 = child<QTimer>("Timer2");
        auto *bar = child<QWidget>("Picture1");
        const auto function = [this] { return m_board->barAnimation().Funzionetimer; };
        // Only the top 10 twips call the bar; one pixel down is 15 twips.
        QTest::mouseMove(m_board.get(), QPoint(50, 1));
        QVERIFY(function() != TitleBarAnimation::SlideIn);
        QTRY_VERIFY(!timer2->isActive());
        QTest::mouseMove(m_board.get(), QPoint(50, 0));
        QVERIFY(timer2->isActive());
        QVERIFY(bar->isVisible());
        QTest::mouseMove(m_board.get(), Bare); // does not interrupt the slide-in
        QCOMPARE(function(), int(TitleBarAnimation::SlideIn));
        QTRY_VERIFY(!timer2->isActive());
        QCOMPARE(m_board->barAnimation().bar.top, 0.0);
        QCOMPARE(bar->y(), 0);
        QVERIFY(bar->isVisible());

        QTest::mouseMove(m_board.get(), Bare + QPoint(0, 100));
        QVERIFY(timer2->isActive());
        QCOMPARE(function(), int(TitleBarAnimation::SlideOut));
        QTest::mouseMove(m_board.get(), QPoint(60, 0)); // no slide-in while one runs
        QCOMPARE(function(), int(TitleBarAnimation::SlideOut));
        QTRY_VERIFY(!timer2->isActive());
        QCOMPARE(m_board->barAnimation().bar.top, -350.0);
        QVERIFY(bar->isHidden());

        // In the normal state the bar spans the window and the pointer never sends it away.
        QTest::mouseMove(m_board.get(), QPoint(70, 0));
        QTRY_VERIFY(!timer2->isActive());
        QTest::mouseClick(bar->findChild<QPushButton *>(QStringLiteral("Normalizza")),
                          Qt::LeftButton);
        QCOMPARE(m_board->mode(), Principale::Mode::Normal);
        QTRY_VERIFY(!timer2->isActive());
        QVERIFY(m_board->barAnimation().bar.left <= 15);
        QTest::mouseMove(m_board.get(), Bare);
        QVERIFY(!timer2->isActive());
        QVERIFY(bar->isVisible());
    }

    void theme()
    {
        m_board->setBackgroundColour(4194304);
        QCOMPARE(m_board->palette().color(QPalette::Window), QColor(0, 0, 64));
        QVERIFY(m_board->autoFillBackground());

        const QString picture = m_dir->filePath(QStringLiteral("tabella.png"));
        QImage image(20, 10, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        QVERIFY(image.save(picture));
        auto *tabella = child<BoardPicture>("Tabella");
        m_board->setBoardPicture(picture);
        tabella->grab();
        QCOMPARE(tabella->picture().size(), tabella->size());
        const qint64 shown = tabella->picture().cacheKey();
        m_board->setBoardPicture(m_dir->filePath(QStringLiteral("missing.jpg")));
        tabella->grab();
        QCOMPARE(tabella->picture().cacheKey(), shown);
    }
};

QTEST_MAIN(TestPrincipale)
#include "tst_principale.moc"
