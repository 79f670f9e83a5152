#include "platform/mediastack.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QMediaPlayer>
#include <QPluginLoader>

#include <algorithm>
#include <utility>

namespace {

// A back end's name (QT_MEDIA_BACKEND's value) and its plugin's file.
using Backend = std::pair<QString, QString>;

// The back ends Qt can choose from: the plugins in the "multimedia" folder of its plugin
// paths that say they are media back ends. Only their metadata is read.
QList<Backend> installedBackends()
{
    QList<Backend> found;
    for (const QString &path : QCoreApplication::libraryPaths()) {
        const QDir folder(path + u"/multimedia");
        for (const QString &name : folder.entryList(QDir::Files)) {
            const QJsonObject meta = QPluginLoader(folder.filePath(name)).metaData();
            if (meta.value(u"IID").toString() != u"org.qt-project.Qt.QPlatformMediaPlugin")
                continue;
            const QJsonArray keys = meta.value(u"MetaData").toObject().value(u"Keys").toArray();
            for (const QJsonValue &key : keys)
                found.append({key.toString(), folder.filePath(name)});
        }
    }
    // Qt takes GStreamer when it is there and nothing else is asked for.
    std::stable_partition(found.begin(), found.end(),
                          [](const Backend &b) { return b.first == u"gstreamer"; });
    return found;
}

bool findBackend()
{
    const QString wanted = qEnvironmentVariable("QT_MEDIA_BACKEND");
    for (const Backend &backend : installedBackends()) {
        if (!wanted.isEmpty() && backend.first != wanted)
            continue;
        // A plugin whose libraries are missing does not load; the one that loads stays loaded
        // for the player, which would load it anyway.
        QPluginLoader loader(backend.second);
        if (loader.load())
            return true;
    }
    return false;
}

} // namespace

QString missingMediaStackWarning()
{
    return QStringLiteral("ATTENZIONE!!! Il modulo di riproduzione di Qt Multimedia non è "
                          "disponibile: le canzoni non potranno essere ascoltate.");
}

bool mediaBackendFound()
{
    static const bool found = findBackend();
    return found;
}

bool warmMediaStack()
{
    if (!mediaBackendFound())
        return false;
    // The first player of the process loads the back end; it stays loaded after the player.
    const QMediaPlayer player;
    return player.isAvailable();
}
