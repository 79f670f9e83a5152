#include "core/ports.h"
#include "maintenance/updatecheck.h"
#include "platform/qturlfetch.h"
#include "tests/maintenance/localserver.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// Records the copy window's life.
class RecordingWindows : public StartupWindows {
public:
    void showCopy(int mode) override { events << u"show "_s + QString::number(mode); }
    void closeCopy() override { events << u"close"_s; }
    void showOptions() override { events << u"options"_s; }
    QStringList events;
};

// A port nobody listens on: bound, then released.
quint16 refusedPort()
{
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost))
        return 0;
    const quint16 port = server.serverPort();
    server.close();
    return port;
}

} // namespace

class TestUpdateCheck : public QObject {
    Q_OBJECT

    // Runs one check against host; returns the result and how long it took.
    static std::pair<int, qint64> run(QtUrlFetch &fetch, RecordingWindows &windows,
                                      const QString &host, QStringList *parts = nullptr)
    {
        UpdateCheck check(fetch, windows, host);
        QSignalSpy finished(&check, &UpdateCheck::finished);
        QElapsedTimer clock;
        clock.start();
        check.ControllaAggiornamenti();
        if (!finished.wait(10000))
            return {-1, clock.elapsed()};
        if (parts)
            *parts = check.VersioneServer();
        return {static_cast<int>(finished.at(0).at(0).value<UpdateResult>()), clock.elapsed()};
    }

private slots:
    void versionTexts_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("status");
        QTest::addColumn<int>("result");
        const auto row = [](const char *name, const QByteArray &body, int result,
                            const QByteArray &status = "200 OK"_ba) {
            QTest::newRow(name) << body << status << result;
        };
        row("same", "2.1.1"_ba, 0);
        row("newer", "9.9.9"_ba, 1);
        row("3.0.0", "3.0.0"_ba, 1);
        row("1.2.0 is older", "1.2.0"_ba, 0);
        row("line break after", "2.1.2\r\n"_ba, 1);
        row("one dot", "3.0"_ba, 2);
        row("html body", "9.9.9 <html></html>"_ba, 2);
        row("error page", "<html><body>404.0.0 Not Found</body></html>"_ba, 2, "404 Not Found"_ba);
        row("error status, version body", "9.9.9"_ba, 2, "500 Oops"_ba);
    }

    void versionTexts()
    {
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, status);
        QFETCH(int, result);
        LocalServer server(LocalServer::Mode::Answer, body, status);
        QVERIFY(server.start());
        QtUrlFetch fetch;
        RecordingWindows windows;
        QStringList parts;
        QCOMPARE(run(fetch, windows, server.host(), &parts).first, result);
        QCOMPARE(server.requests(), 1);
        QCOMPARE(windows.events, (QStringList{u"show 2"_s, u"close"_s}));
        if (result == 1)
            QCOMPARE(parts.join(u'.').trimmed(), QString::fromLatin1(body).trimmed());
    }

    // A server that never answers: failure within the time limit, the event loop running on.
    void silentServer()
    {
        LocalServer server(LocalServer::Mode::Silent);
        QVERIFY(server.start());
        QtUrlFetch fetch;
        RecordingWindows windows;
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, this, [&ticks] { ++ticks; });
        ticker.start(100);
        const auto [result, elapsed] = run(fetch, windows, server.host());
        QCOMPARE(result, 2);
        QVERIFY2(elapsed >= 4500 && elapsed < 6500, qPrintable(QString::number(elapsed)));
        // About 50 ticks in 5 s; a blocked loop would give none.
        QVERIFY2(ticks >= 20, qPrintable(QString::number(ticks)));
    }

    void endlessBody()
    {
        LocalServer server(LocalServer::Mode::Endless);
        QVERIFY(server.start());
        QtUrlFetch fetch;
        RecordingWindows windows;
        const auto [result, elapsed] = run(fetch, windows, server.host());
        QCOMPARE(result, 2);
        QVERIFY2(elapsed < 4000, qPrintable(QString::number(elapsed)));
    }

    void bodyAtTheLimit_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("ok");
        QTest::newRow("64 KiB") << 64 * 1024 << true;
        QTest::newRow("64 KiB + 1") << 64 * 1024 + 1 << false;
    }

    void bodyAtTheLimit()
    {
        QFETCH(int, size);
        QFETCH(bool, ok);
        LocalServer server(LocalServer::Mode::Answer, QByteArray(size, '7'));
        QVERIFY(server.start());
        QtUrlFetch fetch;
        std::optional<std::optional<QString>> answer;
        fetch.fetch(server.host() + u"/version.txt"_s,
                    [&answer](std::optional<QString> body) { answer = std::move(body); });
        QTRY_VERIFY_WITH_TIMEOUT(answer.has_value(), 10000);
        QCOMPARE(answer->has_value(), ok);
        if (ok)
            QCOMPARE(answer->value().size(), size);
    }

    void refused()
    {
        const quint16 port = refusedPort();
        QVERIFY(port != 0);
        QtUrlFetch fetch;
        RecordingWindows windows;
        const auto [result, elapsed] = run(fetch, windows, u"127.0.0.1:"_s + QString::number(port));
        QCOMPARE(result, 2);
        QVERIFY(elapsed < 4000);
        QCOMPARE(windows.events, (QStringList{u"show 2"_s, u"close"_s}));
    }

    // The answer never comes inside the call, and a second start while one runs is ignored.
    void asynchronousAndSingle()
    {
        LocalServer server(LocalServer::Mode::Answer, "9.9.9"_ba);
        QVERIFY(server.start());
        QtUrlFetch fetch;
        RecordingWindows windows;
        UpdateCheck check(fetch, windows, server.host());
        QSignalSpy finished(&check, &UpdateCheck::finished);
        check.ControllaAggiornamenti();
        check.ControllaAggiornamenti();
        QVERIFY(check.running());
        QCOMPARE(finished.size(), 0);
        QVERIFY(finished.wait(10000));
        QTest::qWait(200);
        QCOMPARE(finished.size(), 1);
        QCOMPARE(server.requests(), 1);
    }
};

QTEST_GUILESS_MAIN(TestUpdateCheck)
#include "tst_updatecheck.moc"
