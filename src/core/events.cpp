#include "core/events.h"

#include <QCoreApplication>

void letEventsRun()
{
    QCoreApplication::processEvents();
}
