#include "board/principale.h"

#include <QDesktopServices>
#include <QUrl>

void Principale::Link(const QString &address)
{
    // A bare host such as "www.example.org" gets the web scheme the handler needs.
    QDesktopServices::openUrl(QUrl::fromUserInput(address));
}
