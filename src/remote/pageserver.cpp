#include "remote/pageserver.h"

#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>

namespace {

struct PageFile {
    QLatin1StringView path;
    QLatin1StringView resource;
    QLatin1StringView mimeType;
};

// The whole site: anything else is not found.
constexpr PageFile Files[] = {
    {QLatin1StringView("/"), QLatin1StringView(":/phone/index.html"),
     QLatin1StringView("text/html; charset=utf-8")},
    {QLatin1StringView("/buzzer.css"), QLatin1StringView(":/phone/buzzer.css"),
     QLatin1StringView("text/css; charset=utf-8")},
    {QLatin1StringView("/buzzer.js"), QLatin1StringView(":/phone/buzzer.js"),
     QLatin1StringView("text/javascript; charset=utf-8")},
};

const PageFile *fileFor(const QString &path)
{
    for (const PageFile &file : Files)
        if (path == file.path)
            return &file;
    return nullptr;
}

QByteArray resourceBytes(QLatin1StringView name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void answer(QHttpServerResponder &&responder, const QByteArray &body, const QByteArray &type,
            QHttpServerResponder::StatusCode status)
{
    // The page runs only its own script and talks only to this server.
    responder.write(body,
                    {{"Content-Type", type},
                     {"Cache-Control", "no-store"},
                     {"X-Content-Type-Options", "nosniff"},
                     {"Content-Security-Policy",
                      "default-src 'self'; connect-src 'self' ws:; frame-ancestors 'none'"}},
                    status);
}

void notFound(QHttpServerResponder &&responder)
{
    answer(std::move(responder), "Non trovato\n", "text/plain; charset=utf-8",
           QHttpServerResponder::StatusCode::NotFound);
}

bool isWebSocketUpgrade(const QHttpServerRequest &request)
{
    return request.value("upgrade").compare("websocket", Qt::CaseInsensitive) == 0;
}

} // namespace

bool PageServer::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    const QString path = request.url().path();
    // An upgrade reported handled goes to the WebSocket side, one reported unhandled is closed
    // unanswered: only the one endpoint gets a socket.
    if (isWebSocketUpgrade(request))
        return path == SocketPath;
    const PageFile *file = fileFor(path);
    if (file == nullptr) {
        notFound(makeResponder(request, socket));
        return true;
    }
    if (request.method() != QHttpServerRequest::Method::Get &&
        request.method() != QHttpServerRequest::Method::Head) {
        answer(makeResponder(request, socket), "", "text/plain",
               QHttpServerResponder::StatusCode::MethodNotAllowed);
        return true;
    }
    answer(makeResponder(request, socket), resourceBytes(file->resource),
           QByteArray(file->mimeType.data(), file->mimeType.size()),
           QHttpServerResponder::StatusCode::Ok);
    return true;
}

void PageServer::missingHandler(const QHttpServerRequest &request, QTcpSocket *socket)
{
    notFound(makeResponder(request, socket));
}
