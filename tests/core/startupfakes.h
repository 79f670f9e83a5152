#pragma once

#include "core/ports.h"

#include <QList>
#include <QString>
#include <QStringList>

// A question port that records every box and answers from a script (then with the default).
class ScriptedQuestions : public QuestionPort {
public:
    struct Asked {
        QString text;
        QString title;
        Icon icon;
        Buttons buttons;
    };
    QList<Asked> asked;
    QList<Answer> answers;

    Answer ask(const QString &text, const QString &title, Icon icon, Buttons buttons,
               Answer defaultAnswer) override
    {
        asked.append({text, title, icon, buttons});
        return answers.isEmpty() ? defaultAnswer : answers.takeFirst();
    }
    // The numbers typed into input boxes, in turn; none left cancels the box.
    QList<int> numbers;
    bool askNumber(const QString &text, const QString &title, int &value) override
    {
        asked.append({text, title, Icon::Question, Buttons::OkCancel});
        if (numbers.isEmpty())
            return false;
        value = numbers.takeFirst();
        return true;
    }
    QStringList texts() const
    {
        QStringList result;
        for (const Asked &a : asked)
            result.append(a.text);
        return result;
    }
};

class RecordingWindows : public StartupWindows {
public:
    QList<int> copyModes;
    int copyCloses = 0;
    int optionsShown = 0;
    bool copyOpen = false;

    void showCopy(int mode) override
    {
        copyModes.append(mode);
        copyOpen = true;
    }
    void closeCopy() override
    {
        ++copyCloses;
        copyOpen = false;
    }
    void showOptions() override { ++optionsShown; }
};

class RecordingTheme : public ThemeTarget {
public:
    QStringList boards;
    QStringList exits;
    QList<int> colours;
    void setBoardPicture(const QString &file) override { boards.append(file); }
    void setExitPicture(const QString &file) override { exits.append(file); }
    void setBackgroundColour(int colour) override { colours.append(colour); }
};
