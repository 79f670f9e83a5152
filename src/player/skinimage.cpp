#include "player/skinimage.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

namespace {

// A picture button reads as a push button that can be pressed, as a click on it does.
class SkinImageAccessible : public QAccessibleWidget {
public:
    explicit SkinImageAccessible(QWidget *widget) : QAccessibleWidget(widget, QAccessible::Button)
    {
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString &name) override
    {
        if (name != pressAction() || !widget()->isEnabled())
            return;
        const QPointF centre = QRectF(widget()->rect()).center();
        const QPointF global = widget()->mapToGlobal(centre);
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, centre, centre, global, Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            QApplication::sendEvent(widget(), &event);
        }
    }
};

QAccessibleInterface *skinImageAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("SkinImage") && object->isWidgetType())
        return new SkinImageAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

SkinImage::SkinImage(QWidget *parent) : QWidget(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(skinImageAccessible);
        return true;
    }();
    Q_UNUSED(installed);
    setMouseTracking(true);
}

void SkinImage::setPicture(const QString &name, const QPixmap &pixmap)
{
    if (name == m_name && pixmap.cacheKey() == m_pixmap.cacheKey())
        return;
    m_name = name;
    m_pixmap = pixmap;
    update();
}

void SkinImage::paintEvent(QPaintEvent *)
{
    if (m_pixmap.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(rect(), m_pixmap);
}
