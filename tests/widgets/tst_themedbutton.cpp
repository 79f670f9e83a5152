#include "tests/fakes/colours.h"
#include "widgets/themedbutton.h"

#include <QImage>
#include <QPainter>
#include <QTest>

using namespace Qt::StringLiterals;

// The board's exit and reset buttons take their face from the theme: its colour from the
// theme's exit picture, its caption in the colour that stands out on that picture.
class TestThemedButton : public QObject {
    Q_OBJECT

private slots:
    void colours_data();
    void colours();
    void faceIsDrawnInTheTheme_data();
    void faceIsDrawnInTheTheme();
    void narrowBarKeepsTheCaptionWhole();
};

namespace {

const QColor Maroon(112, 34, 44);
const QColor Gold(248, 215, 122);
const QColor Navy(20, 30, 80);

// A picture of width x height in background with a centred mark of markColour (a third of each
// side), as an exit picture has its arrow on a pill.
QImage picture(const QColor &background, const QColor &markColour, int width = 120, int height = 40)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(background);
    QPainter painter(&image);
    painter.fillRect(width / 3, height / 3, width / 3, height / 3, markColour);
    return image;
}

bool near(const QColor &a, const QColor &b, int tolerance)
{
    return colourDistance(a, b) <= tolerance;
}

} // namespace

void TestThemedButton::colours_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<QColor>("face");
    QTest::addColumn<QColor>("caption");

    QTest::newRow("plain maroon: light caption")
        << picture(Maroon, Maroon) << Maroon << QColor(255, 246, 224);
    QTest::newRow("plain light: dark caption")
        << picture(QColor(230, 230, 220), QColor(230, 230, 220)) << QColor(230, 230, 220)
        << QColor(32, 24, 20);
    // Eight ninths maroon, one ninth gold: the mean leans to maroon, the caption is gold.
    QTest::newRow("gold arrow on maroon")
        << picture(Maroon, Gold)
        << QColor((8 * 112 + 248) / 9, (8 * 34 + 215) / 9, (8 * 44 + 122) / 9) << Gold;
    QTest::newRow("transparent surround does not count")
        << picture(Qt::transparent, Navy) << Navy << QColor(255, 246, 224);
    QTest::newRow("nothing opaque: the board's colour")
        << picture(Qt::transparent, Qt::transparent) << Maroon << QColor(255, 246, 224);
}

void TestThemedButton::colours()
{
    QFETCH(QImage, image);
    QFETCH(QColor, face);
    QFETCH(QColor, caption);
    const QColor found = ThemedButton::faceColour(image, Maroon);
    QVERIFY2(near(found, face, 6), qPrintable(found.name() + u" for " + face.name()));
    const QColor text = ThemedButton::captionColour(image, found);
    QVERIFY2(near(text, caption, 6), qPrintable(text.name() + u" for " + caption.name()));
}

void TestThemedButton::faceIsDrawnInTheTheme_data()
{
    QTest::addColumn<bool>("withPicture");
    QTest::addColumn<QColor>("expected");

    QTest::newRow("picture's colour") << true << Navy;
    QTest::newRow("board's colour without a picture") << false << Maroon;
}

// The bar away from the picture and the caption shows the face colour (within the gradient),
// never the style's white.
void TestThemedButton::faceIsDrawnInTheTheme()
{
    QFETCH(bool, withPicture);
    QFETCH(QColor, expected);
    ThemedButton button(QStringLiteral("Esci"));
    button.resize(600, 33);
    button.setBackdrop(Maroon);
    if (withPicture)
        button.setPicture(QPixmap::fromImage(picture(Navy, Gold)));
    const QImage shot = button.grab().toImage();
    const QColor middle = shot.pixelColor(40, shot.height() / 2);
    QVERIFY2(near(middle, expected, 40), qPrintable(middle.name() + u" for " + expected.name()));

    QTest::mousePress(&button, Qt::LeftButton);
    const QColor pressed = button.grab().toImage().pixelColor(40, shot.height() / 2);
    QTest::mouseRelease(&button, Qt::LeftButton);
    QVERIFY2(pressed.value() < middle.value(), "a pressed button is darker");
}

// Beside the teams' scores the exit button is as narrow as Reset: the caption stays whole and
// centred, and the picture gives way.
void TestThemedButton::narrowBarKeepsTheCaptionWhole()
{
    ThemedButton button(QStringLiteral("Esci"));
    button.resize(button.fontMetrics().horizontalAdvance(button.text()) + 30, 33);
    button.setBackdrop(Maroon);
    const QImage art = picture(Navy, Gold, 120, 40);
    button.setPicture(QPixmap::fromImage(art));
    const QColor caption = ThemedButton::captionColour(art, ThemedButton::faceColour(art, Maroon));
    const QImage shot = button.grab().toImage();
    int first = shot.width(), last = -1;
    for (int x = 0; x < shot.width(); ++x)
        for (int y = 0; y < shot.height(); ++y)
            if (near(shot.pixelColor(x, y), caption, 60)) {
                first = qMin(first, x);
                last = qMax(last, x);
            }
    QVERIFY2(last >= 0, "the caption is drawn");
    QVERIFY2(last < shot.width() - 8, qPrintable(u"caption cut at "_s + QString::number(last)));
    QVERIFY2(qAbs((first + last) / 2 - shot.width() / 2) <= 4,
             qPrintable(u"caption from "_s + QString::number(first) + u" to "_s +
                        QString::number(last)));
}

QTEST_MAIN(TestThemedButton)
#include "tst_themedbutton.moc"
