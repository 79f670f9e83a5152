#include "widgets/progressione.h"

#include "widgets/twips.h"

#include <QLabel>
#include <QProgressBar>

Progressione::Progressione(QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("Progressione"));
    setWindowTitle(QStringLiteral("Progressione"));
    setFixedSize(Twips::toPixels(4800), Twips::toPixels(1560));

    auto *title = new QLabel(QStringLiteral("Avvio in corso:"), this);
    title->setObjectName(QStringLiteral("lblCaricamento"));
    title->setGeometry(Twips::toPixels(120, 120, 1800, 285));

    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("lblOggettoCaricato"));
    m_caption->setGeometry(Twips::toPixels(1920, 120, 2760, 285));

    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("BarraProgresso"));
    m_bar->setGeometry(Twips::toPixels(120, 540, 4560, 375));
    m_bar->setMinimum(0);
    m_bar->setTextVisible(false);

    auto *original = new QProgressBar(this);
    original->setObjectName(QStringLiteral("BarraProgressoorig"));
    original->setGeometry(Twips::toPixels(120, 1020, 4560, 255));
    original->setMinimum(0);
    original->setValue(0);
    original->setTextVisible(false);
}

void Progressione::show()
{
    QWidget::show();
    raise();
}

void Progressione::setCaption(const QString &text)
{
    m_caption->setText(text);
}

void Progressione::setMaximum(int maximum)
{
    m_bar->setMaximum(maximum);
}

int Progressione::maximum() const
{
    return m_bar->maximum();
}

void Progressione::setValue(int value)
{
    m_bar->setValue(qBound(0, value, m_bar->maximum()));
}

int Progressione::value() const
{
    return m_bar->value();
}
