#pragma once

#include <QString>

// The spinner after the percentage in the window caption while a song plays, one step per tick
// of Timer1 (100 ms): "% ---", "%  \", "%  |", "%  /".
class TitleSpinner {
public:
    int FaseTitolo = 0;

    // The caption for the song titled tipo at percent, then the next phase.
    QString tick(const QString &tipo, double percent);
};
