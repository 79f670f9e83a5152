#include "events.h"

#include <QCoreApplication>

void letEventsRun()
{
    QCoreApplication::processEvents();
}
