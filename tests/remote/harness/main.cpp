// A buzzer server with two teams and a song playing, for the phone page in a real browser and
// for the press-to-booking bench. Arguments: PORT [REOPEN_MS]. It prints "ready PORT CODE",
// then "press TEAM RESULT NANOSECONDS" for each press (the steady clock at the booking), and
// drops a booking after REOPEN_MS so the next press can book again (0: never).
#include "game/buzzerarbiter.h"
#include "remote/buzzerserver.h"

#include <QCoreApplication>
#include <QTimer>

#include <chrono>
#include <cstdio>

namespace {

qint64 steadyNanoseconds()
{
    return std::chrono::steady_clock::now().time_since_epoch().count();
}

const char *resultName(PhoneMessages::Outcome outcome)
{
    static const char *const names[] = {"booked", "late", "locked", "nosong"};
    return names[int(outcome)];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int port = args.value(1).toInt();
    const int reopenMs = args.value(2).toInt();

    const QList<Team> teams{{QStringLiteral("Rossi"), QStringLiteral("#D02020"), QChar()},
                            {QStringLiteral("Blu"), QStringLiteral("#2040D0"), QChar()}};
    BuzzerArbiter arbiter(int(teams.size()));
    BuzzerServer server;
    const auto started = server.start(port, teams);
    if (!started.ok()) {
        std::fprintf(stderr, "%s\n", qPrintable(started.reason));
        return 1;
    }
    const auto open = [&] {
        arbiter.songStarted();
        server.setSong({PhoneMessages::SongState::Open, -1, {}});
    };
    open();
    QObject::connect(&server, &BuzzerServer::pressed, [&](int team, qint64 stamp) {
        const auto press = arbiter.press(team, stamp);
        const auto outcome = BuzzerServer::outcomeOf(press, arbiter.isLocked(team));
        const qint64 at = steadyNanoseconds();
        server.tellPress(team, outcome);
        if (outcome == PhoneMessages::Outcome::Booked) {
            server.setSong({PhoneMessages::SongState::Booked, team, {}});
            if (reopenMs > 0)
                QTimer::singleShot(reopenMs, &server, open);
        }
        std::printf("press %d %s %lld\n", team, resultName(outcome), static_cast<long long>(at));
        std::fflush(stdout);
    });
    std::printf("ready %d %s\n", int(server.port()), qPrintable(server.gameCode()));
    std::fflush(stdout);
    return app.exec();
}
