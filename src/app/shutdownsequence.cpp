#include "app/shutdownsequence.h"

#include <QApplication>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <QWidget>

namespace {

// Top first, as the presenter would close them. A window that refuses to close (a box without
// an escape button) is hidden, which ends its exec() all the same.
void closeOpenBoxes()
{
    QSet<QWidget *> tried;
    while (QWidget *top = QApplication::activePopupWidget() ? QApplication::activePopupWidget()
                                                            : QApplication::activeModalWidget()) {
        if (tried.contains(top))
            return;
        tried.insert(top);
        const QPointer<QWidget> alive(top);
        if (!top->close() && alive)
            top->hide();
    }
}

} // namespace

ShutdownSequence::ShutdownSequence(std::function<void()> end, QObject *parent)
    : QObject(parent), m_end(std::move(end))
{
}

void ShutdownSequence::request()
{
    m_requested = true;
    closeOpenBoxes();
    // Every loop returns once the code it runs gets back to it; a box the code after a closed
    // one opens returns at once, answered as if closed.
    QCoreApplication::exit(0);
}

int ShutdownSequence::run()
{
    // Asked for before the loop started: the loop takes only what is already queued, and
    // leaves the event loops able to run a box of the end (a failed save) again.
    if (m_requested)
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    const int status = QApplication::exec();
    if (!m_requested)
        return status;
    m_end();
    return 0;
}
