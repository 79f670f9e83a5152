#pragma once

#include <QString>

#include <array>

// TestiInfo: what the info line says about each control, by entry (0..16), variant (0..1) and
// line (0 title, 1 description). Cells not filled are empty.
class InfoTexts {
public:
    static constexpr int Entries = 17;

    // AggiornaInfo: fills the table; entry 0 stays empty (nothing under the mouse).
    void AggiornaInfo();
    // Empty for an entry, variant or line out of range.
    QString text(int entry, int variant, int line) const;

private:
    void set(int entry, int variant, const QString &title, const QString &description);

    std::array<std::array<std::array<QString, 2>, 2>, Entries> m_texts;
};
