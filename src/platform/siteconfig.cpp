#include "platform/siteconfig.h"

#include <QtGlobal>

namespace {

QString configured(const char *variable, const char *built)
{
    const QString fromEnvironment = qEnvironmentVariable(variable).trimmed();
    return fromEnvironment.isEmpty() ? QString::fromUtf8(built) : fromEnvironment;
}

} // namespace

QString updateHost()
{
    return configured("ZEFIRO_UPDATE_HOST", ZEFIRO_UPDATE_HOST_DEFAULT);
}

QString projectWebsite()
{
    return configured("ZEFIRO_WEBSITE", ZEFIRO_WEBSITE_DEFAULT);
}
