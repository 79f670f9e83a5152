#pragma once

#include <QProcessEnvironment>
#include <QString>

// The environment of a private sound server and its clients: this process's, with the runtime
// folder it names, and nothing that reaches a desktop. With DISPLAY the server starts a session
// bus through the X server when it finds none, and servers starting at the same moment fail
// against each other ("Daemon startup failed"); a desktop's own bus or X server could also lead
// a client to the desktop's server.
inline QProcessEnvironment soundServerEnvironment(const QString &runtimeFolder)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder);
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    return environment;
}
