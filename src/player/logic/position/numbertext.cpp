#include "player/logic/position/numbertext.h"

#include <QLocale>

#include <cmath>

namespace NumberText {

QString oneDecimal(double value, int minIntegerDigits)
{
    const QString plain = QString::number(std::abs(value), 'f', 1);
    const qsizetype dot = plain.indexOf(u'.');
    QString integer = plain.left(dot);
    const QString fraction = plain.mid(dot + 1);
    if (integer.size() < minIntegerDigits)
        integer = QString(minIntegerDigits - integer.size(), u'0') + integer;
    const bool negative = value < 0 && plain != QStringLiteral("0.0");
    return (negative ? QStringLiteral("-") : QString()) + integer + QLocale().decimalPoint() +
           fraction;
}

QString captionStart()
{
    return oneDecimal(0, 2) + u'%';
}

QString avanzamento(double percent, int minIntegerDigits)
{
    return QStringLiteral("Avanzamento Traccia: ") + oneDecimal(percent, minIntegerDigits) + u'%';
}

int seconds(const QString &text)
{
    const qsizetype dot = text.indexOf(u'.');
    if (dot <= 0)
        return -1;
    bool minutesOk = false;
    bool secondsOk = false;
    const int minutes = text.left(dot).toInt(&minutesOk);
    const int secs = text.mid(dot + 1).toInt(&secondsOk);
    if (!minutesOk || !secondsOk || minutes < 0 || secs < 0)
        return -1;
    return minutes * 60 + secs;
}

int rounded(double value)
{
    // nearbyint rounds halves to even in the default rounding mode.
    return int(std::nearbyint(value));
}

} // namespace NumberText
