#include "player/logic/transport/titlespinner.h"

#include "player/logic/position/numbertext.h"

#include <array>

QString TitleSpinner::tick(double percent)
{
    static const std::array<QString, 4> suffixes = {QStringLiteral("% ---"),
                                                    QStringLiteral("%  \\"), QStringLiteral("%  |"),
                                                    QStringLiteral("%  /")};
    const QString tail = NumberText::oneDecimal(percent, 2) + suffixes.at(size_t(FaseTitolo & 3));
    FaseTitolo = FaseTitolo >= 3 ? 0 : FaseTitolo + 1;
    return tail;
}
