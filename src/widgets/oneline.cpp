#include "widgets/oneline.h"

namespace {

bool breaksLine(QChar c)
{
    switch (c.unicode()) {
    case u'\n':
    case u'\r':
    case u'\v':
    case u'\f':
    case 0x0085: // next line
    case 0x2028: // line separator
    case 0x2029: // paragraph separator
        return true;
    default:
        return false;
    }
}

} // namespace

QString oneLine(const QString &name)
{
    QString shown;
    shown.reserve(name.size());
    bool inBreak = false;
    for (const QChar c : name) {
        if (breaksLine(c)) {
            if (!inBreak)
                shown.append(u' ');
            inBreak = true;
            continue;
        }
        inBreak = false;
        shown.append(c);
    }
    return shown;
}
