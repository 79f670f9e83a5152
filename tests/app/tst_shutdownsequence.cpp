#include "app/shutdownsequence.h"

#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// A window opened by the code under test; its close is what the presenter's close would do.
class LoggedDialog : public QDialog {
public:
    LoggedDialog(QStringList &log, QWidget *parent) : QDialog(parent), m_log(log) {}

protected:
    void closeEvent(QCloseEvent *event) override
    {
        m_log.append(u"dialog closed"_s);
        QDialog::closeEvent(event);
    }

private:
    QStringList &m_log;
};

// Ends the loop of a test that hangs, and only of that test.
class Watchdog {
public:
    Watchdog()
    {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, [] { QCoreApplication::exit(99); });
        m_timer.start(5000);
    }

private:
    QTimer m_timer;
};

QString boxAnswer(QMessageBox &box)
{
    const int code = box.exec();
    return box.clickedButton() ? box.clickedButton()->text() : QString::number(code);
}

} // namespace

// A window that the end deletes runs a box in its own code; the system asks for the end while
// the box is up.
class TestShutdownSequence : public QObject {
    Q_OBJECT

private slots:
    void endsAfterTheOpenBoxesReturn_data();
    void endsAfterTheOpenBoxesReturn();
    void aRequestBeforeTheLoopEndsAtOnce();

private:
    // Runs scenario in the owner's code once the loop runs, and the request 150 ms later.
    QStringList runWith(const std::function<void(QWidget &, QStringList &)> &scenario);
};

QStringList
TestShutdownSequence::runWith(const std::function<void(QWidget &, QStringList &)> &scenario)
{
    QStringList log;
    auto *owner = new QWidget;
    owner->show();
    const QPointer<QWidget> ownerAlive(owner);
    ShutdownSequence sequence([&] {
        const bool open = QApplication::activeModalWidget() || QApplication::activePopupWidget();
        log.append(open ? u"end with a box open"_s : u"end"_s);
        delete ownerAlive.data();
    });
    QTimer::singleShot(0, owner, [&, owner] {
        scenario(*owner, log);
        // The owner's code goes on after its boxes: it must still be there.
        log.append(ownerAlive ? u"back"_s : u"owner gone"_s);
    });
    QTimer::singleShot(150, &sequence, &ShutdownSequence::request);
    const Watchdog watchdog;
    log.append(u"status "_s + QString::number(sequence.run()));
    delete ownerAlive.data();
    return log;
}

void TestShutdownSequence::endsAfterTheOpenBoxesReturn_data()
{
    QTest::addColumn<int>("scenario");
    QTest::addColumn<QStringList>("expected");
    const QString back = u"back"_s, end = u"end"_s, ok = u"status 0"_s;
    QTest::newRow("yes/no box answers its escape button")
        << 0 << QStringList{u"&No"_s, back, end, ok};
    QTest::newRow("box without an escape button") << 1 << QStringList{u"0"_s, back, end, ok};
    QTest::newRow("box over a dialog, both closed")
        << 2 << QStringList{u"dialog closed"_s, u"&No"_s, u"0"_s, back, end, ok};
    QTest::newRow("menu") << 3 << QStringList{u"no action"_s, back, end, ok};
    QTest::newRow("a box opened after the closed one returns at once")
        << 4 << QStringList{u"&No"_s, u"0"_s, back, end, ok};
}

void TestShutdownSequence::endsAfterTheOpenBoxesReturn()
{
    QFETCH(int, scenario);
    QFETCH(QStringList, expected);
    const auto yesNo = [](QWidget &owner) {
        return std::make_unique<QMessageBox>(QMessageBox::Question, u"Opzioni"_s, u"Sicuro?"_s,
                                             QMessageBox::Yes | QMessageBox::No, &owner);
    };
    const QStringList log = runWith([&](QWidget &owner, QStringList &log) {
        switch (scenario) {
        case 0:
            log.append(boxAnswer(*yesNo(owner)));
            break;
        case 1: {
            QMessageBox box(&owner);
            box.addButton(u"Uno"_s, QMessageBox::AcceptRole);
            box.addButton(u"Due"_s, QMessageBox::AcceptRole);
            box.setEscapeButton(static_cast<QAbstractButton *>(nullptr));
            log.append(boxAnswer(box));
            break;
        }
        case 2: {
            LoggedDialog dialog(log, &owner);
            QTimer::singleShot(0, &dialog, [&] { log.append(boxAnswer(*yesNo(dialog))); });
            log.append(QString::number(dialog.exec()));
            break;
        }
        case 3: {
            QMenu menu(&owner);
            menu.addAction(u"Copia"_s);
            log.append(menu.exec(QPoint(10, 10)) ? u"action"_s : u"no action"_s);
            break;
        }
        case 4:
            log.append(boxAnswer(*yesNo(owner)));
            log.append(boxAnswer(*yesNo(owner)));
            break;
        }
    });
    QCOMPARE(log, expected);
}

void TestShutdownSequence::aRequestBeforeTheLoopEndsAtOnce()
{
    const Watchdog watchdog;
    QStringList log;
    ShutdownSequence sequence([&] {
        log.append(u"end"_s);
        // The end may still ask: its own box runs and is answered.
        QTimer::singleShot(100, qApp, [] {
            if (QWidget *box = QApplication::activeModalWidget())
                box->close();
        });
        QMessageBox box(QMessageBox::Warning, u"Zefiro"_s, u"Impossibile salvare"_s);
        QElapsedTimer shown;
        shown.start();
        box.exec();
        log.append(shown.elapsed() >= 90 ? u"end's box shown"_s : u"end's box skipped"_s);
    });
    QTimer::singleShot(100, &sequence, &ShutdownSequence::request);
    QMessageBox box(QMessageBox::Information, u"Zefiro"_s, u"Avvio"_s);
    log.append(QString::number(box.exec()));
    log.append(u"status "_s + QString::number(sequence.run()));
    QCOMPARE(log, (QStringList{QString::number(QMessageBox::Ok), u"end"_s, u"end's box shown"_s,
                               u"status 0"_s}));
}

QTEST_MAIN(TestShutdownSequence)
#include "tst_shutdownsequence.moc"
