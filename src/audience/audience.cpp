#include "audience/audience.h"

#include "audience/pubblico.h"
#include "platform/tagreader.h"

#include <QBuffer>
#include <QImage>

Audience::Audience(QObject *parent) : QObject(parent), m_tags(new TagReader(this))
{
    connect(m_tags, &TagReader::titleRead, this,
            [this](int ticket, const QString &text) { m_reveal.titleRead(ticket, text); });
}

Audience::~Audience()
{
    delete m_window;
}

void Audience::toggle(QScreen *board)
{
    if (isOpen()) {
        m_window->close();
        return;
    }
    if (!m_window)
        m_window = new Pubblico(m_model);
    m_window->open(board);
}

bool Audience::isOpen() const
{
    return m_window && m_window->isVisible();
}

void Audience::songPlayed(const QString &path)
{
    m_tags->read(m_reveal.songStarted(), path);
}

void Audience::reveal()
{
    m_reveal.reveal();
}

Pubblico *Audience::window() const
{
    return m_window;
}

void Audience::showPhones(const QString &address, const QString &code, const QImage &qr)
{
    QByteArray png;
    QBuffer buffer(&png);
    if (qr.isNull() || !buffer.open(QIODevice::WriteOnly) || !qr.save(&buffer, "PNG"))
        png.clear();
    m_model.setPhones(address, code, png);
}
