#include "options/songsmenu.h"

#include <QKeySequence>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

// The cell menu shows song names as they are written: an "&" in a name is a letter, never a
// keyboard accelerator.
class TestSongsMenu : public QObject {
    Q_OBJECT

private slots:
    void namesAsWritten_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Sposta in...") << u"mnucat2_3"_s << u"40 => AC&DC.mp3"_s;
        QTest::newRow("Sostituisci con...") << u"mnust2_3"_s << u"40 => AC&DC.mp3"_s;
        QTest::newRow("Non utilizzate") << u"mnuNusate1"_s << u"Tom & Jerry.mp3"_s;
        QTest::newRow("two in a row") << u"mnuNusate0"_s << u"R&&B.wav"_s;
    }

    void namesAsWritten()
    {
        QFETCH(QString, entry);
        QFETCH(QString, shown);
        SongEditor::Menu state;
        for (QStringList &names : state.categories)
            for (int i = 0; i < 5; ++i)
                names.append(QString::number((i + 1) * 10) + u" => x.wav"_s);
        state.categories[2][3] = u"40 => AC&DC.mp3"_s;
        state.unused = {u"R&&B.wav"_s, u"Tom & Jerry.mp3"_s};
        state.nonUtilizzate = true;
        QWidget parent;
        SongsMenu menu(state, &parent);
        auto *action = menu.menu().findChild<QAction *>(entry);
        QVERIFY(action);
        // The text a menu draws, with its accelerator marks taken out.
        QCOMPARE(action->iconText(), shown);
        QVERIFY(QKeySequence::mnemonic(action->text()).isEmpty());
    }

    // The chosen unused file is the file's own name, not the menu's text.
    void unusedChoiceKeepsName()
    {
        SongEditor::Menu state;
        state.categories.fill(QStringList(5, u"10 => x.wav"_s));
        state.unused = {u"AC&DC.mp3"_s};
        state.nonUtilizzate = true;
        QWidget parent;
        SongsMenu menu(state, &parent);
        QTimer::singleShot(0, &menu.menu(), [&menu] {
            menu.menu().findChild<QAction *>(u"mnuNusate0"_s)->trigger();
            menu.menu().close();
        });
        const SongsMenu::Choice choice = menu.exec(QPoint(0, 0));
        QCOMPARE(choice.action, SongsMenu::Action::UseUnused);
        QCOMPARE(choice.file, u"AC&DC.mp3"_s);
    }
};

QTEST_MAIN(TestSongsMenu)
#include "tst_songsmenu.moc"
