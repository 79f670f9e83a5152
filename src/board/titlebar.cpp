#include "board/titlebar.h"

#include "widgets/twips.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace {

QPushButton *barButton(const QString &name, QWidget *parent)
{
    auto *button = new QPushButton(name, parent);
    button->setObjectName(name);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QPointF twipsOf(const QPointF &pixels)
{
    return {Twips::fromPixels(pixels.x()), Twips::fromPixels(pixels.y())};
}

} // namespace

TitleBar::TitleBar(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("Picture1"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Button));
    setPalette(colours);

    Minimizza = barButton(QStringLiteral("Minimizza"), this);
    Normalizza = barButton(QStringLiteral("Normalizza"), this);
    Massimizza = barButton(QStringLiteral("Massimizza"), this);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setScaledContents(true);
    Image1->setGeometry(Twips::toPixels(60, 0, 240, 240));
    // Presses on the icon drag the window like the rest of the bar.
    Image1->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TitleBar::apply(const TitleBarAnimation::Bar &bar)
{
    setGeometry(Twips::toPixels(bar.left, bar.top, bar.width, bar.height));
    Minimizza->setGeometry(Twips::toPixels(bar.minimizzaLeft, 0, bar.minimizzaWidth, 255));
    Normalizza->setGeometry(Twips::toPixels(bar.normalizzaLeft, 0, bar.normalizzaWidth, 255));
    Massimizza->setGeometry(Twips::toPixels(bar.massimizzaLeft, 0, bar.massimizzaWidth, 255));
    setVisible(bar.visible);
    if (bar.visible)
        raise();
}

void TitleBar::mousePressEvent(QMouseEvent *event)
{
    emit pressed(twipsOf(event->position()));
    event->accept();
}

void TitleBar::mouseMoveEvent(QMouseEvent *event)
{
    emit dragged(twipsOf(event->position()), event->buttons());
    event->accept();
}
