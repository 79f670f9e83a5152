#pragma once

#include "player/logic/playermodel.h"
#include "player/playercontrols.h"

class PlayerLogic;
class QWidget;
class SkinPictures;

// The playback window's skinned face: builds every control on the window and shows the logic's
// pictures, texts, progress, panel position and volumes on them. Passive: what the presenter
// does goes to the logic through the controls' own signals and the mouse routing table.
class PlayerFace {
public:
    PlayerFace(QWidget &window, PlayerLogic &logic, SkinPictures &pictures);

    // Makes the controls, children of the window.
    void build();

    const PlayerControls &controls() const { return m_c; }

    void showPicture(Image which);
    void showText(Text which);
    void showProgress();
    void showPanel();
    void showVolume();
    void setTitle(const QString &tipo, const QString &fileName);

private:
    void buildVideoArea();
    void buildCommandButtons();

    QWidget &m_window;
    PlayerLogic &m_logic;
    SkinPictures &m_pictures;
    PlayerControls m_c;
};
