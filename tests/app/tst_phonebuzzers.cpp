#include "app/phonebuzzers.h"
#include "audience/audience.h"
#include "core/settings.h"
#include "tests/core/startupfakes.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace {

const QList<Team> TwoTeams{{u"Rossi"_s, u"#E02020"_s, u'A'}, {u"Blu"_s, u"#2050FF"_s, u'B'}};

int freePort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost))
        return 0;
    return probe.serverPort();
}

bool answers(int port)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, quint16(port));
    return socket.waitForConnected(1000);
}

// The program's settings, its teams and a board that paints when shown.
struct Bench {
    Settings settings;
    ScriptedQuestions questions;
    Audience audience;
    QWidget board;
    QList<Team> teams = TwoTeams;
    PhoneBuzzers phones{settings, questions, audience};

    Bench(bool on, int port)
    {
        settings.setNumber(u"buzzertelefoni"_s, on ? 1 : 0);
        settings.setNumber(u"portabuzzer"_s, port);
        phones.startAfterPaint(board, [this] { return teams; });
        board.resize(200, 100);
    }
    void paint()
    {
        board.show();
        QVERIFY(QTest::qWaitForWindowExposed(&board));
        QTest::qWait(50);
    }
    QString address() const { return const_cast<Audience &>(audience).model().phoneAddress(); }
};

} // namespace

class TestPhoneBuzzers : public QObject {
    Q_OBJECT

private slots:
    void startsOnlyWhenWanted_data()
    {
        QTest::addColumn<bool>("on");
        QTest::addColumn<bool>("withTeams");
        QTest::addColumn<bool>("painted");
        QTest::addColumn<bool>("running");
        QTest::newRow("on, teams, painted") << true << true << true << true;
        QTest::newRow("off") << false << true << true << false;
        QTest::newRow("no teams") << true << false << true << false;
        QTest::newRow("before the first paint") << true << true << false << false;
    }
    void startsOnlyWhenWanted()
    {
        QFETCH(bool, on);
        QFETCH(bool, withTeams);
        QFETCH(bool, painted);
        QFETCH(bool, running);
        const int port = freePort();
        Bench bench(on, port);
        if (!withTeams)
            bench.teams.clear();
        // The teams changing before the paint must not start it early.
        bench.phones.follow();
        if (painted)
            bench.paint();
        QCOMPARE(answers(port), running);
        QCOMPARE(!bench.address().isEmpty(), running);
        if (running) {
            QVERIFY2(bench.address().endsWith(u':' + QString::number(port) + u'/'),
                     qPrintable(bench.address()));
            QCOMPARE(bench.audience.model().phoneCode().size(), 4);
        }
        QVERIFY(bench.questions.asked.isEmpty());
    }

    // A port in use is told once, never again for the same setting; another port starts, and
    // turning the option off stops the server and takes the address off the audience window.
    void busyPortToldOnceThenOff()
    {
        QTcpServer squatter;
        QVERIFY(squatter.listen(QHostAddress::AnyIPv4));
        Bench bench(true, squatter.serverPort());
        bench.paint();
        bench.phones.follow();
        bench.phones.follow();
        QCOMPARE(bench.questions.asked.size(), 1);
        QVERIFY(bench.questions.asked.first().text.startsWith(u"Buzzer sui telefoni"_s));
        QVERIFY(bench.address().isEmpty());

        const int port = freePort();
        bench.settings.setNumber(u"portabuzzer"_s, port);
        bench.phones.follow();
        QVERIFY(answers(port));
        QVERIFY(!bench.address().isEmpty());
        QCOMPARE(bench.questions.asked.size(), 1);

        bench.settings.setNumber(u"buzzertelefoni"_s, 0);
        bench.phones.follow();
        QVERIFY(!answers(port));
        QVERIFY(bench.address().isEmpty());
    }
};

QTEST_MAIN(TestPhoneBuzzers)
#include "tst_phonebuzzers.moc"
