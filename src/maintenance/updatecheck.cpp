#include "maintenance/updatecheck.h"

#include "core/ports.h"
#include "platform/urlfetch.h"

#include <QPointer>

namespace {
constexpr int CopyModeServer = 2;
}

UpdateCheck::UpdateCheck(UrlFetch &fetch, StartupWindows &windows, QString host, QObject *parent)
    : QObject(parent), m_fetch(fetch), m_windows(windows), m_host(std::move(host))
{
}

void UpdateCheck::ControllaAggiornamenti()
{
    if (m_running)
        return;
    m_running = true;
    m_windows.showCopy(CopyModeServer);
    QPointer<UpdateCheck> self(this);
    m_fetch.fetch(address(), [self](std::optional<QString> body) {
        if (!self)
            return;
        self->m_windows.closeCopy();
        const QString text = body.value_or(QString());
        self->m_serverParts = serverVersionParts(text);
        const UpdateResult result = compareServerVersion(text, ProgramVersion::current());
        self->m_running = false;
        emit self->finished(result);
    });
}
