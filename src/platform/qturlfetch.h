#pragma once

#include "platform/urlfetch.h"

#include <QObject>

class QNetworkAccessManager;

// UrlFetch over Qt Network. Gives up after timeoutMs and reads at most maxBytes of a body.
class QtUrlFetch : public QObject, public UrlFetch {
    Q_OBJECT
public:
    static constexpr int DefaultTimeoutMs = 5000;
    static constexpr qint64 DefaultMaxBytes = 64 * 1024;

    explicit QtUrlFetch(int timeoutMs = DefaultTimeoutMs, qint64 maxBytes = DefaultMaxBytes,
                        QObject *parent = nullptr);
    ~QtUrlFetch() override;

    void fetch(const QString &address, Done done) override;

private:
    QNetworkAccessManager *m_network;
    int m_timeoutMs;
    qint64 m_maxBytes;
};
