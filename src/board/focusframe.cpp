#include "board/focusframe.h"

#include <QPainter>

namespace {

constexpr int Ring = 4;
constexpr int Edge = 2;
constexpr int Margin = Ring + 2 * Edge;

} // namespace

FocusFrame::FocusFrame(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CorniceTastiera"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void FocusFrame::surround(const QRect &target)
{
    setGeometry(target.adjusted(-Margin, -Margin, Margin, Margin));
    raise();
}

void FocusFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF ring =
        QRectF(rect()).adjusted(Margin / 2.0, Margin / 2.0, -Margin / 2.0, -Margin / 2.0);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 0, 0), Ring + 2 * Edge));
    painter.drawRoundedRect(ring, 6, 6);
    painter.setPen(QPen(QColor(255, 255, 255), Ring));
    painter.drawRoundedRect(ring, 6, 6);
}
