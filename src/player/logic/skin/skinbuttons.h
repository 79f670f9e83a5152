#pragma once

#include "player/logic/skin/infotexts.h"

class MediaPlayer;
class PlayerModel;
struct PlayerMemory;
enum class Image;
enum class MainHover;
enum class MiniHover;

// The three looks of the skinned buttons and the info line: which picture each button shows as
// the mouse moves over the window, and what the info line says about the control under it.
class SkinButtons {
public:
    SkinButtons(PlayerModel &model, MediaPlayer &player, PlayerMemory &memory);

    InfoTexts &info() { return m_info; }

    // The mouse is now over the main-area control (Background when over none); the info line
    // tells about it.
    void NormalizzaPulsanti(MainHover control);
    // The same for the strip of mini controls under the video.
    void NormalizzaMiniPulsanti(MiniHover control);
    // Writes the two info labels, each only when its text changes.
    void ApplicaInfo(InfoEntry entry, int variant);
    // A control that only shows information: its entry on the info line and the InfoOnly hover
    // code of its area, without restoring the button hovered before.
    void infoOnly(InfoEntry entry, int variant = 0);
    void miniInfoOnly(InfoEntry entry);

    // The normal picture of a control by the current state (glyph by the player's state,
    // repeat by Ripeti, mute by VolumeMuto, dock by WMPSempreVisib).
    QString normalPicture(Image image) const;
    void restore(Image image);

    bool playing() const;

private:
    int hoverMain(MainHover control);
    void restoreMain(MainHover hovered);
    void restoreIfHovered(MainHover hovered, Image image);

    PlayerModel &m_model;
    MediaPlayer &m_player;
    PlayerMemory &m_memory;
    InfoTexts m_info;
};
