#include "board/titlebaranimation.h"

void TitleBarAnimation::startSlideIn()
{
    bar.visible = true;
    Funzionetimer = SlideIn;
    timerOn = true;
}

void TitleBarAnimation::startSlideOut()
{
    Funzionetimer = SlideOut;
    timerOn = true;
}

void TitleBarAnimation::startWiden()
{
    Funzionetimer = Widen;
    timerOn = true;
}

void TitleBarAnimation::startNarrow()
{
    Funzionetimer = Narrow;
    timerOn = true;
}

bool TitleBarAnimation::tick()
{
    switch (Funzionetimer) {
    case SlideIn:
        return slideInStep();
    case SlideOut:
        return slideOutStep();
    case Widen:
        widenStep();
        return false;
    case Narrow:
        return narrowStep();
    default:
        return false;
    }
}

// Fast through the first 60 twips, then 20 at a time; the step past 0 snaps back to 0.
bool TitleBarAnimation::slideInStep()
{
    if (bar.top < 0) {
        bar.top += bar.top <= -300 ? 60 : 20;
        return true;
    }
    bar.top = 0;
    timerOn = false;
    return false;
}

bool TitleBarAnimation::slideOutStep()
{
    if (bar.top > -315) {
        bar.top -= bar.top >= -100 ? 60 : 20;
        return true;
    }
    bar.top = -350;
    bar.visible = false;
    timerOn = false;
    return false;
}

// The bar grows by 100 on each side; the buttons keep their distance from its right end.
void TitleBarAnimation::widenStep()
{
    bar.top = 0;
    if (bar.left <= 15) {
        timerOn = false;
        return;
    }
    bar.left -= 100;
    bar.width += 200;
    bar.minimizzaLeft += 200;
    bar.normalizzaLeft += 200;
    bar.massimizzaLeft += 200;
}

// Narrows down to the width that still holds the three buttons, then slides out.
bool TitleBarAnimation::narrowStep()
{
    bar.top = 0;
    if (bar.minimizzaWidth + bar.massimizzaWidth + bar.normalizzaWidth + 480 >= bar.width) {
        InRestringimento = false;
        Funzionetimer = SlideOut;
        return slideOutStep();
    }
    bar.width -= 200;
    bar.left += 100;
    bar.minimizzaLeft -= 200;
    bar.normalizzaLeft -= 200;
    bar.massimizzaLeft -= 200;
    return false;
}
