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

// The two standard volume sliders share the clipping box Picture2 on the panel; the one not
// shown waits beside it, out of sight. Their caption lblVolume slides up out of view and back.
inline constexpr double SlidersLeft = 180;
inline constexpr double SlidersTop = 1665;
inline constexpr double SlidersWidth = 2460;
inline constexpr double SlidersHeight = 330;
inline constexpr double SliderParkGap = 50;
inline constexpr double VolumeLabelShownTop = 1395;
inline constexpr double VolumeLabelHiddenTop = 1080;
inline constexpr double VolumeLabelHeight = 240;
// A little wider than the sliders, short of the speed caption beside it.
inline constexpr double VolumeLabelWidth = 2580;
// The caption is drawn through a window that ends where the sliders begin, so at its hidden
// top it is out of sight.
inline constexpr double VolumeLabelClipTop = VolumeLabelHiddenTop + VolumeLabelHeight;

// The skinned player-volume slider in the strip, right of the mini stop button: the track
// imgSliderVolume, the knob imgVolume (drawn by picVolume) and the click surface
// SensoreimgSliderVolume over the track. The knob's centre travels the track's width.
inline constexpr double VolumeTrackLeft = 8010;
inline constexpr double VolumeTrackTop = 465;
inline constexpr double VolumeTrackWidth = 1230;
inline constexpr double VolumeTrackHeight = 180;
inline constexpr double VolumeKnobTop = 465;
inline constexpr double VolumeKnobWidth = 180;
inline constexpr double VolumeKnobHeight = 180;
inline constexpr double VolumeSensorTop = 420;
inline constexpr double VolumeSensorHeight = 270;

} // namespace PlayerLayout
