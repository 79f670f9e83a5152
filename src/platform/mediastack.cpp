#include "platform/mediastack.h"

#include <QMediaPlayer>

QString warmMediaStack()
{
    // The first player of the process loads the back end; it stays loaded after the player.
    const QMediaPlayer player;
    if (!player.isAvailable())
        return QStringLiteral("Il modulo di riproduzione di Qt Multimedia non è disponibile: "
                              "le canzoni non potranno essere ascoltate.");
    return {};
}
