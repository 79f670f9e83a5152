#include "platform/unixpriority.h"

#include <QDir>

#include <cerrno>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// On Linux each thread has a nice value of its own, and PRIO_PROCESS with a thread id reads
// and sets that thread's.
void lowerNiceTo(id_t thread, int target)
{
    errno = 0;
    const int now = getpriority(PRIO_PROCESS, thread);
    if ((now == -1 && errno != 0) || now <= target) {
        return;
    }
    // Refused without privileges; the thread then keeps its priority.
    setpriority(PRIO_PROCESS, thread, target);
}

} // namespace

void UnixPriority::raise()
{
    const QStringList threads =
        QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &name : threads) {
        bool ok = false;
        const uint thread = name.toUInt(&ok);
        if (ok) {
            lowerNiceTo(thread, ProcessNice);
        }
    }
    lowerNiceTo(static_cast<id_t>(gettid()), CallerNice);
}
