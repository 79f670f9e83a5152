#pragma once

#include "game/game.h"

#include <QString>
#include <QStringList>

// Drives a game from a short script, so a test row reads as the presenter's clicks:
// "a 2 0" awards slot 2 to team 0, "p" takes its points, "s 1 55" sets team 1 to 55, "m 4" and
// "u 4" mark and unmark by hand, "play 4" marks a played number, "ok 2 0" and "no 2 0" settle a
// booking right or wrong ("no!" with the penalty on), "reset", "z" undo, "y" redo.
inline bool runScript(Game &game, const QString &script)
{
    for (const QString &command : script.split(u',', Qt::SkipEmptyParts)) {
        const QStringList w = command.split(u' ', Qt::SkipEmptyParts);
        const int x = w.size() > 1 ? w.at(1).toInt() : -1;
        const int y = w.size() > 2 ? w.at(2).toInt() : -1;
        const QString &op = w.value(0);
        if (op == u"a")
            game.award(x, y);
        else if (op == u"p")
            game.penalty(x, y);
        else if (op == u"s")
            game.setScore(x, y);
        else if (op == u"m")
            game.markByHand(x);
        else if (op == u"u")
            game.unmarkByHand(x);
        else if (op == u"play")
            game.markPlayed(x);
        else if (op == u"ok")
            game.buzzerRight(x, y);
        else if (op == u"no" || op == u"no!")
            game.buzzerWrong(x, y, op == u"no!");
        else if (op == u"reset")
            game.reset();
        else if (op == u"z")
            game.undo();
        else if (op == u"y")
            game.redo();
        else
            return false;
    }
    return true;
}

inline QString joinedNumbers(const QList<int> &numbers)
{
    QStringList parts;
    for (const int n : numbers)
        parts.append(QString::number(n));
    return parts.join(u' ');
}
