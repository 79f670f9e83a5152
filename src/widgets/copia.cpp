#include "widgets/copia.h"

#include "widgets/twips.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QWindow>

namespace {

struct CopyTexts {
    const char16_t *title;
    const char16_t *label;
};

constexpr CopyTexts Texts[] = {
    {u"Copia file", u"Copia file in corso"},
    {u"Aggiornamento file", u"Aggiornamento file in corso"},
    {u"Collegamento al server", u"Collegamento al server"},
};

} // namespace

Copia::Copia(int mode, QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    const CopyTexts &texts = Texts[qBound(0, mode, 2)];
    setObjectName(QStringLiteral("Copia"));
    setWindowTitle(QString::fromUtf16(texts.title));
    setFixedSize(Twips::toPixels(4200), Twips::toPixels(1200));

    auto *label1 = new QLabel(QString::fromUtf16(texts.label), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setAlignment(Qt::AlignCenter);
    label1->setGeometry(Twips::toPixels(120, 180, 3960, 330));
    QFont bold = label1->font();
    bold.setBold(true);
    label1->setFont(bold);

    auto *label2 = new QLabel(QStringLiteral("Attendere prego ..."), this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setAlignment(Qt::AlignCenter);
    label2->setGeometry(Twips::toPixels(120, 630, 3960, 330));
}

void Copia::showNow()
{
    show();
    raise();
    activateWindow();
    // Mapping goes through the window manager; the presenter's clicks wait meanwhile.
    constexpr int MappingMs = 500;
    QElapsedTimer waited;
    waited.start();
    while (!(windowHandle() && windowHandle()->isExposed()) && waited.elapsed() < MappingMs)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    repaint();
}
