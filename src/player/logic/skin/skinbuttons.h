#pragma once

#include "player/logic/skin/infotexts.h"

class MediaPlayer;
class PlayerModel;
struct PlayerMemory;
enum class Image;

// The three looks of the skinned buttons and the info line: which picture each button shows as
// the mouse moves over the window, and what the info line says about the control under it.
class SkinButtons {
public:
    SkinButtons(PlayerModel &model, MediaPlayer &player, PlayerMemory &memory);

    InfoTexts &info() { return m_info; }

    // The mouse is now over the main-area control numbered control (which also names its info
    // entry), with hover code subOggetto; 0, 0 is the background.
    void NormalizzaPulsanti(int control, int subOggetto);
    // The same for the strip of mini controls under the video.
    void NormalizzaMiniPulsanti(int control, int subOggetto);
    // Writes the two info labels, each only when its text changes.
    void ApplicaInfo(int entry, int chPulsante);
    // A control that only shows information: its entry on the info line and hover code 7,
    // without restoring the button hovered before.
    void infoOnly(int entry);

    // The normal picture of a control by the current state (glyph by the player's state,
    // repeat by Ripeti, mute by VolumeMuto, dock by WMPSempreVisib).
    QString normalPicture(Image image) const;
    void restore(Image image);

    bool playing() const;

private:
    int hoverMain(int control);
    void restoreMain(int oggetto);
    void restoreIfHovered(int oggetto, Image image);

    PlayerModel &m_model;
    MediaPlayer &m_player;
    PlayerMemory &m_memory;
    InfoTexts m_info;
};
