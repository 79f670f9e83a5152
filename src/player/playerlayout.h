#pragma once

// Designed geometry of the playback window, in twips (15 twips = 1 logical pixel). Positions
// are relative to the control's container: the window, the panel or the strip under the video.
namespace PlayerLayout {

inline constexpr double ClientWidth = 9885;
inline constexpr double ClientHeight = 7350;

// The panel SchedaControlli: its top moves between shown and hidden.
inline constexpr double PanelLeft = 360;
inline constexpr double PanelShownTop = 4320;
inline constexpr double PanelHiddenTop = 7350;
inline constexpr double PanelWidth = 9170;
inline constexpr double PanelHeight = 3135;

// The video area: the backdrop that holds the player, its two side strips and the strip of mini
// controls under it.
inline constexpr double BackdropLeft = 370;
inline constexpr double BackdropTop = 240;
inline constexpr double BackdropWidth = 9100;
inline constexpr double BackdropHeight = 3255;
inline constexpr double SideLeftLeft = 200;
inline constexpr double SideLeftWidth = 165;
inline constexpr double SideRightLeft = 9480;
inline constexpr double SideRightWidth = 150;
inline constexpr double StripLeft = 195;
inline constexpr double StripTop = 3500;
inline constexpr double StripWidth = 9435;
inline constexpr double StripHeight = 780;
// The player is taller than its backdrop by this much.
inline constexpr double PlayerExtraHeight = 955;

// The large progress bar ProgressoMedia and its knob, in the strip.
inline constexpr double BarLeft = 150;
inline constexpr double BarTop = 90;
inline constexpr double BarWidth = 9135;
inline constexpr double BarHeight = 180;
inline constexpr double KnobTop = 60;
inline constexpr double KnobWidth = 240;
inline constexpr double KnobHeight = 240;

// The mini progress indicator on the panel: background, filled part and mouse surface.
inline constexpr double MiniLeft = 1050;
inline constexpr double MiniTop = 2145;
inline constexpr double MiniWidth = 7920;
inline constexpr double MiniHeight = 150;
inline constexpr double SensorTop = 2085;
inline constexpr double SensorHeight = 270;

} // namespace PlayerLayout
