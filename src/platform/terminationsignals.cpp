#include "platform/terminationsignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The handler may only write to the socket; everything else happens in readSignal().
int s_fds[2] = {-1, -1};

void onSignal(int number)
{
    const unsigned char byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t written = ::write(s_fds[0], &byte, 1);
}

constexpr int Handled[] = {SIGTERM, SIGINT, SIGHUP};

} // namespace

TerminationSignals::TerminationSignals(QObject *parent) : QObject(parent)
{
    if (s_fds[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, s_fds) != 0)
        return;
    for (const int fd : s_fds) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(fd, F_SETFL, O_NONBLOCK);
    }
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : Handled)
        ::sigaction(number, &action, nullptr);
    m_notifier = new QSocketNotifier(s_fds[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::readSignal);
}

TerminationSignals::~TerminationSignals()
{
    if (!m_notifier)
        return;
    for (const int number : Handled)
        ::signal(number, SIG_DFL);
    ::close(s_fds[0]);
    ::close(s_fds[1]);
    s_fds[0] = s_fds[1] = -1;
}

void TerminationSignals::readSignal()
{
    unsigned char byte = 0;
    while (::read(s_fds[1], &byte, 1) == 1) {
        if (m_ready)
            emit terminationRequested(byte);
        else if (m_pending == 0)
            m_pending = byte;
    }
}
