#include "widgets/messagebox.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace {

QMessageBox::Icon toQt(QuestionPort::Icon icon)
{
    switch (icon) {
    case QuestionPort::Icon::Information:
        return QMessageBox::Information;
    case QuestionPort::Icon::Warning:
        return QMessageBox::Warning;
    case QuestionPort::Icon::Critical:
        return QMessageBox::Critical;
    case QuestionPort::Icon::Question:
        return QMessageBox::Question;
    case QuestionPort::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQt(QuestionPort::Buttons buttons)
{
    switch (buttons) {
    case QuestionPort::Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case QuestionPort::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case QuestionPort::Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case QuestionPort::Buttons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton toQt(QuestionPort::Answer answer)
{
    switch (answer) {
    case QuestionPort::Answer::Yes:
        return QMessageBox::Yes;
    case QuestionPort::Answer::No:
        return QMessageBox::No;
    case QuestionPort::Answer::Cancel:
        return QMessageBox::Cancel;
    case QuestionPort::Answer::Ok:
        break;
    }
    return QMessageBox::Ok;
}

} // namespace

QuestionPort::Answer MessageBoxQuestions::ask(const QString &text, const QString &title, Icon icon,
                                              Buttons buttons, Answer defaultAnswer)
{
    QMessageBox box(toQt(icon), title, text, toQt(buttons), QApplication::activeWindow());
    box.setObjectName(QStringLiteral("MessageBox"));
    // The texts carry song names, shown as written: a "<" in one never starts markup.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(toQt(defaultAnswer));
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        break;
    }
    // A box closed without a button answers as its escape button would.
    return buttons == Buttons::YesNo ? Answer::No
           : buttons == Buttons::Ok  ? Answer::Ok
                                     : Answer::Cancel;
}

bool MessageBoxQuestions::askNumber(const QString &text, const QString &title, int &value)
{
    bool ok = false;
    const int typed = QInputDialog::getInt(QApplication::activeWindow(), title, text, value, -99999,
                                           99999, 10, &ok);
    if (ok)
        value = typed;
    return ok;
}
