#pragma once

#include <QColor>
#include <QtGlobal>

#include <algorithm>

// The largest difference of one channel between two colours. JPEG, smooth scaling and blending
// move a plain colour a little, so pictures are compared within a tolerance of this.
inline int colourDistance(QColor a, QColor b)
{
    return std::max(
        {qAbs(a.red() - b.red()), qAbs(a.green() - b.green()), qAbs(a.blue() - b.blue())});
}
