#include "widgets/namedcontrols.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace NamedControls {

QLabel *label(QWidget *parent, const char *name, const QString &text)
{
    auto *result = new QLabel(text, parent);
    result->setObjectName(QString::fromLatin1(name));
    result->setAccessibleName(text);
    return result;
}

QPushButton *button(QWidget *parent, const char *name, const QString &text, const QString &tip)
{
    auto *result = new QPushButton(text, parent);
    result->setObjectName(QString::fromLatin1(name));
    result->setToolTip(tip);
    result->setAccessibleDescription(tip);
    return result;
}

QGroupBox *group(QWidget *parent, const char *name, const QString &title)
{
    auto *result = new QGroupBox(title, parent);
    result->setObjectName(QString::fromLatin1(name));
    result->setAccessibleName(title);
    return result;
}

} // namespace NamedControls
