#include "platform/qturlfetch.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include <memory>

namespace {

QUrl addressUrl(const QString &address)
{
    if (address.contains(QStringLiteral("://")))
        return QUrl(address);
    return QUrl(QStringLiteral("http://") + address);
}

// One request under way: its body so far and whether it already failed.
struct Pending {
    QByteArray body;
    bool failed = false;
    UrlFetch::Done done;
};

} // namespace

QtUrlFetch::QtUrlFetch(int timeoutMs, qint64 maxBytes, QObject *parent)
    : QObject(parent), m_network(new QNetworkAccessManager(this)), m_timeoutMs(timeoutMs),
      m_maxBytes(maxBytes)
{
}

QtUrlFetch::~QtUrlFetch()
{
    // Replies are children of the manager; drop their handlers before they go.
    for (QNetworkReply *reply : m_network->findChildren<QNetworkReply *>()) {
        reply->disconnect();
        reply->abort();
    }
}

void QtUrlFetch::fetch(const QString &address, Done done)
{
    const QUrl url = addressUrl(address);
    auto pending = std::make_shared<Pending>();
    pending->done = std::move(done);
    if (!url.isValid() || url.host().isEmpty()) {
        QTimer::singleShot(0, this, [pending] { pending->done(std::nullopt); });
        return;
    }
    QNetworkRequest request(url);
    request.setTransferTimeout(m_timeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply *reply = m_network->get(request);
    // The transfer time-out restarts with every byte; this one bounds the whole fetch.
    auto *deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    connect(deadline, &QTimer::timeout, reply, [pending, reply] {
        pending->failed = true;
        reply->abort();
    });
    deadline->start(m_timeoutMs);
    const qint64 maxBytes = m_maxBytes;
    // Never more than maxBytes in memory: a body that goes on past the limit is a failure.
    auto take = [pending, reply, maxBytes] {
        const qint64 room = maxBytes - pending->body.size();
        if (room > 0)
            pending->body += reply->read(room);
        if (reply->bytesAvailable() > 0 && !pending->failed) {
            pending->failed = true;
            reply->abort();
        }
    };
    connect(reply, &QIODevice::readyRead, reply, take);
    connect(reply, &QNetworkReply::finished, reply, [pending, reply, take] {
        if (!pending->failed && reply->error() == QNetworkReply::NoError)
            take();
        reply->deleteLater();
        if (!pending->failed && reply->error() == QNetworkReply::NoError)
            pending->done(QString::fromUtf8(pending->body));
        else
            pending->done(std::nullopt);
    });
}
