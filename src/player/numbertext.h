#pragma once

#include <QString>

// Numbers as the player shows them. The program speaks Italian, so the decimal separator is a
// comma whatever the system's own locale: 7.5 reads "07,5".
namespace NumberText {

// One decimal digit, at least minIntegerDigits before the comma ("#00.0" gives 2, "##0.0" 1).
QString oneDecimal(double value, int minIntegerDigits);

// Minutes and seconds "mm.ss" as the player writes them, read back as whole seconds; -1 when
// the text is not in that form.
int seconds(const QString &minutesDotSeconds);
// Whole seconds as at least two minute digits, ".", two second digits.
QString minutesDotSeconds(int seconds);

} // namespace NumberText
