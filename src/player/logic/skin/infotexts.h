#pragma once

#include <QString>

#include <array>

// What the info line can tell about, one entry of the table each.
enum class InfoEntry {
    Nothing, // nothing under the mouse: both lines empty
    Play,    // variant 1: pause
    Stop,
    Repeat, // variant 0: off, 1: on
    Mute,   // variant 0: sound on, 1: muted
    Dock,   // variant 0: docked, 1: undocked
    Panel,  // variant 0: hide it (slide-down button), 1: show it (slide-up button)
    Speed,
    Mixer,
    Close,
    ComputerVolume, // variant 0: in front, 1: behind the player's slider
    PlayerVolume,   // variant 0: in front, 1: behind the computer's slider
    Elapsed,
    Remaining,
    Duration,
    Cpu,
    Position,
    Count
};

// TestiInfo: what the info line says about each control, by entry, variant (0..1) and line
// (0 title, 1 description). Cells not filled are empty.
class InfoTexts {
public:
    // AggiornaInfo: fills the table; the Nothing entry stays empty.
    void AggiornaInfo();
    // Empty for a variant or line out of range.
    QString text(InfoEntry entry, int variant, int line) const;

private:
    void set(InfoEntry entry, int variant, const QString &title, const QString &description);

    std::array<std::array<std::array<QString, 2>, 2>, size_t(InfoEntry::Count)> m_texts;
};
