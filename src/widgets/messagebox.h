#pragma once

#include "core/ports.h"

// The program's one way of asking the presenter something: a standard message box with the
// program's Italian texts. Modal over whatever window is active.
class MessageBoxQuestions : public QuestionPort {
public:
    Answer ask(const QString &text, const QString &title, Icon icon, Buttons buttons,
               Answer defaultAnswer) override;
    bool askNumber(const QString &text, const QString &title, int &value) override;
};
