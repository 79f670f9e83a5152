#pragma once

class PlayerModel;
class SkinButtons;

// The control panel SchedaControlli slides up into view and down out of it (Timer5, 10 ms),
// follows its grip, and decides with the docking mode whether the video area gives way to it.
// Positions are twips; the panel's top lies between 4320 (shown) and 7350 (hidden).
class PanelSlide {
public:
    enum Function { FollowGrip = 0, SlideDown = 1, SlideUp = 2 };

    PanelSlide(PlayerModel &model, SkinButtons &skin);

    int Timer5Function = FollowGrip;
    bool Aggancia = false;
    bool SalitaWMP = false;
    int PosY = 0;
    int CurY = 0;

    // The opening: panel hidden below the window, video area at its largest.
    void open();
    // One tick of Timer5.
    void tick();
    // Fits the backdrop, the player and the strips to the panel's top.
    void AdattaVideo();
    // Switches the docking mode and slides the panel up again.
    void subAggancia();

    void agganciaPressed();
    void agganciaReleased(bool inside);
    void slittaBassoPressed();
    void slittaBassoReleased(bool inside);
    void slittaAltoPressed();
    void slittaAltoReleased(bool inside);
    // The grip, y in its own twips.
    void gripPressed(double y);
    void gripMoved(double y, bool onlyLeftButton);
    void gripReleased();

private:
    void slideDownStep();
    void slideUpStep();
    void followGripStep();
    void start(int function);
    bool docked() const;

    PlayerModel &m_model;
    SkinButtons &m_skin;
    bool m_inTick = false;
};
