#pragma once

#include <QString>

class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;

// Controls made in code carry their designed control name as objectName and their caption or
// tooltip for assistive technology, so tests and screen readers find each one by what it says.
namespace NamedControls {

QLabel *label(QWidget *parent, const char *name, const QString &text);
QPushButton *button(QWidget *parent, const char *name, const QString &text,
                    const QString &tip = {});
QGroupBox *group(QWidget *parent, const char *name, const QString &title);

} // namespace NamedControls
