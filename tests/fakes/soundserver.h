#pragma once

#include "tests/fakes/soundserverenvironment.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <functional>

// Runs tests beside a private sound server with a null sink and its own socket folder, so that
// real playback runs as on a desktop; the server ends with the tests. Returns the tests' result,
// or 1 when the server does not come up.
inline int withSoundServer(int argc, char **argv, const std::function<int()> &tests)
{
    QTemporaryDir runtime;
    if (!runtime.isValid())
        return 1;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    QApplication app(argc, argv);

    const QProcessEnvironment environment = soundServerEnvironment(runtime.path());
    QProcess server;
    server.setProcessEnvironment(environment);
    server.setStandardOutputFile(QProcess::nullDevice());
    server.setStandardErrorFile(QProcess::nullDevice());
    server.start(QStringLiteral("pulseaudio"),
                 {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                  QStringLiteral("--exit-idle-time=30"),
                  QStringLiteral("--load=module-native-protocol-unix"),
                  QStringLiteral("--load=module-null-sink sink_name=testsink")});
    if (!server.waitForStarted(5000)) {
        qCritical("pulseaudio did not start: %s", qPrintable(server.errorString()));
        return 1;
    }
    bool ready = false;
    for (int i = 0; i < 100 && !ready; ++i) {
        QProcess info;
        info.setProcessEnvironment(environment);
        info.start(QStringLiteral("pactl"), {QStringLiteral("info")});
        ready = info.waitForFinished(2000) && info.exitCode() == 0;
        if (!ready)
            QThread::msleep(100);
    }
    int result = 1;
    if (ready)
        result = tests();
    else
        qCritical("pulseaudio did not answer");
    server.terminate();
    if (!server.waitForFinished(5000))
        server.kill();
    return result;
}
