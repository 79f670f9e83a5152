#pragma once

#include <QString>

// Numbers as the player shows them, with the decimal separator of the user's locale: 7.5 reads
// "07,5" in Italian and "07.5" in English.
namespace NumberText {

// One decimal digit, at least minIntegerDigits before the separator ("#00.0" gives 2, "##0.0"
// 1).
QString oneDecimal(double value, int minIntegerDigits);
// The window caption's percentage at the start of a song, "00,0%".
QString captionStart();
// The progress caption on the panel: "Avanzamento Traccia: " + the percentage with at least
// minIntegerDigits before the separator + "%".
QString avanzamento(double percent, int minIntegerDigits = 1);

// A length or a percentage as a whole number, halves to even as the player has always rounded.
int rounded(double value);

// Minutes and seconds "mm.ss" as the player writes them, read back as whole seconds; -1 when
// the text is not in that form.
int seconds(const QString &minutesDotSeconds);

} // namespace NumberText
