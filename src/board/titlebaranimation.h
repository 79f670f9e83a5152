#pragma once

// The title bar's slides, widening and narrowing, one step per tick of the board's Timer2.
// Positions are twips: the bar's top, left and width in the window, the buttons' lefts in the
// bar. The window owns the timer: it starts or stops it after each call to follow timerOn, and
// applies the values.
class TitleBarAnimation {
public:
    enum Function { SlideIn = 1, SlideOut = 2, Widen = 3, Narrow = 4 };

    struct Bar {
        double top = -350;
        double left = 4200;
        double width = 3255;
        double height = 350;
        bool visible = false;
        double minimizzaLeft = 360;
        double normalizzaLeft = 1200;
        double massimizzaLeft = 2160;
        double minimizzaWidth = 855;
        double normalizzaWidth = 975;
        double massimizzaWidth = 975;
    };

    Bar bar;
    int Funzionetimer = 0;
    bool InRestringimento = false;
    bool timerOn = false;

    void startSlideIn();
    void startSlideOut();
    void startWiden();
    void startNarrow();

    // One tick of the running animation. True when the window should let pending events run
    // after applying the values (the slide steps do).
    bool tick();

private:
    bool slideInStep();
    bool slideOutStep();
    void widenStep();
    bool narrowStep();
};
