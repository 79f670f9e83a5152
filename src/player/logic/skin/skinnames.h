#pragma once

#include <QStringList>

// The names of the skin's pictures, gr/<name>.jpg: every picture the playback window shows,
// in the order of its controls. The data generator draws exactly these.
namespace SkinNames {

QStringList all();

} // namespace SkinNames
