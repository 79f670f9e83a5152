#pragma once

#include <QString>

// Where the program looks for updates and where its web site is. Each comes from the build
// (CMake cache variables ZEFIRO_UPDATE_HOST and ZEFIRO_WEBSITE) and is overridden at run time
// by the environment variable of the same name, when set and not empty.
QString updateHost();
QString projectWebsite();
