#pragma once

#include <QString>

// What the loader and the data steps ask of the user interface. The widgets library implements
// these; tests use scripted fakes. None of these calls may destroy the caller's state.

// The start-up progress window. show() shows it without modality and lets it paint.
class ProgressPort {
public:
    virtual ~ProgressPort() = default;
    virtual bool isVisible() const = 0;
    virtual void show() = 0;
    virtual void close() = 0;
    virtual void setCaption(const QString &text) = 0;
    virtual void setTitle(const QString &text) = 0;
    virtual void setMaximum(int maximum) = 0;
    virtual int maximum() const = 0;
    virtual void setValue(int value) = 0;
    virtual int value() const = 0;
    // Advances the bar by one, only while the window is visible; never past the maximum.
    void step()
    {
        if (isVisible() && value() < maximum())
            setValue(value() + 1);
    }
};

// Every message box of the program. ask() blocks until answered and returns the button chosen.
class QuestionPort {
public:
    enum class Icon { None, Information, Warning, Critical, Question };
    enum class Buttons { Ok, YesNo, YesNoCancel, OkCancel };
    enum class Answer { Ok, Yes, No, Cancel };

    virtual ~QuestionPort() = default;
    virtual Answer ask(const QString &text, const QString &title, Icon icon, Buttons buttons,
                       Answer defaultAnswer) = 0;

    void inform(const QString &text, const QString &title, Icon icon)
    {
        ask(text, title, icon, Buttons::Ok, Answer::Ok);
    }

    // A whole number typed in a small input box that starts at value; false when the box was
    // cancelled. Without an input box every request counts as cancelled.
    virtual bool askNumber(const QString &text, const QString &title, int &value)
    {
        static_cast<void>(text);
        static_cast<void>(title);
        static_cast<void>(value);
        return false;
    }
};

// The other windows the loader and the song steps open: the file-copy window (mode 0 copying
// songs, 1 updating the paths file and music pack, 2 contacting the server) and the options
// window, opened without modality on the tab AppState::SchedaIniziale names.
class StartupWindows {
public:
    virtual ~StartupWindows() = default;
    virtual void showCopy(int mode) = 0;
    virtual void closeCopy() = 0;
    virtual void showOptions() = 0;
};

// Where a theme is applied: the board, or the options window's preview. A picture that cannot
// be loaded leaves the control as it was. colour is blue * 65536 + green * 256 + red.
class ThemeTarget {
public:
    virtual ~ThemeTarget() = default;
    virtual void setBoardPicture(const QString &file) = 0;
    virtual void setExitPicture(const QString &file) = 0;
    virtual void setBackgroundColour(int colour) = 0;
};
