#pragma once

#include <QString>

// The spinner after the percentage in the window caption while a song plays, one step per tick
// of Timer1 (100 ms): "% ---", "%  \", "%  |", "%  /".
class TitleSpinner {
public:
    int FaseTitolo = 0;

    // The caption's tail after the song's title at percent, then the next phase.
    QString tick(double percent);
};
