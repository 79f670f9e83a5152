#include "core/unreadfiles.h"

#include <QDir>
#include <QFileInfo>

void UnreadFiles::note(const QString &path, const QString &reason)
{
    const QString clean = QDir::cleanPath(path);
    if (m_paths.contains(clean))
        return;
    m_paths.append(clean);
    m_pending.append(u"Il file " + QFileInfo(clean).fileName() + u" non può essere letto: " +
                     reason);
}

bool UnreadFiles::contains(const QString &path) const
{
    return m_paths.contains(QDir::cleanPath(path));
}

QStringList UnreadFiles::takeMessages()
{
    QStringList messages;
    messages.swap(m_pending);
    return messages;
}

QString UnreadFiles::refusal(const QString &path)
{
    return u"il file " + QFileInfo(path).fileName() +
           u" non è stato letto all'avvio e non viene sovrascritto";
}
