#include "options/themepreview.h"
#include "tests/fakes/colours.h"

#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

bool writePicture(const QString &path, QSize size, QColor colour, const char *format = "PNG")
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image.save(path, format);
}

QColor pixel(QWidget &widget, QPoint at)
{
    return widget.grab().toImage().pixelColor(at);
}

bool near(QColor a, QColor b)
{
    return colourDistance(a, b) < 12;
}

} // namespace

class TestThemePreview : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString file(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void picturesAtTheirSize_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QSize>("stored");
        QTest::addColumn<QSize>("asked");
        QTest::addColumn<bool>("keepAspect");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("jpeg shrunk to fill")
            << u"JPG"_s << QSize(1600, 1200) << QSize(200, 100) << false << QSize(200, 100);
        QTest::newRow("png kept to its shape")
            << u"PNG"_s << QSize(400, 100) << QSize(100, 100) << true << QSize(100, 25);
        QTest::newRow("small picture grown")
            << u"PNG"_s << QSize(10, 10) << QSize(40, 20) << true << QSize(20, 20);
    }

    void picturesAtTheirSize()
    {
        QFETCH(QString, format);
        QFETCH(QSize, stored);
        QFETCH(QSize, asked);
        QFETCH(bool, keepAspect);
        QFETCH(QSize, expected);
        const QString path = file(u"picture."_s + format.toLower());
        QVERIFY(writePicture(path, stored, Qt::green, format.toLatin1().constData()));
        const QPixmap picture = ThemePreview::picture(path, asked, keepAspect);
        QCOMPARE(picture.size(), expected);
        QVERIFY(near(picture.toImage().pixelColor(expected.width() / 2, expected.height() / 2),
                     Qt::green));
    }

    void unreadablePictures_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not a picture") << QByteArray("tabella=tabella.jpg\r\n");
        QTest::newRow("cut short") << QByteArray("\xFF\xD8\xFF\xE0", 4);
    }

    // A picture that cannot be read leaves the preview as it was.
    void unreadablePictures()
    {
        QFETCH(QByteArray, content);
        const QString good = file(u"good.png"_s);
        QVERIFY(writePicture(good, QSize(64, 48), Qt::blue));
        const QString bad = file(u"bad.jpg"_s);
        QFile::remove(bad);
        if (!content.isEmpty()) {
            QFile out(bad);
            QVERIFY(out.open(QIODevice::WriteOnly));
            QCOMPARE(out.write(content), content.size());
        }
        QVERIFY(ThemePreview::picture(bad, QSize(10, 10), false).isNull());
        ThemePreview preview;
        preview.setBoardPicture(good);
        preview.setBoardPicture(bad);
        preview.setExitPicture(bad);
        QCOMPARE(preview.boardPicture(), good);
        QVERIFY(preview.exitPicture().isEmpty());
    }

    // A theme's picture replaced on disk is shown as it is now, not as it was cached.
    void changedFileIsReadAgain()
    {
        const QString path = file(u"tabella.png"_s);
        QVERIFY(writePicture(path, QSize(64, 48), Qt::red));
        QVERIFY(near(ThemePreview::picture(path, QSize(32, 24), false).toImage().pixelColor(5, 5),
                     Qt::red));
        QVERIFY(writePicture(path, QSize(64, 48), Qt::blue));
        QFile touched(path);
        QVERIFY(touched.open(QIODevice::ReadWrite));
        QVERIFY(touched.setFileTime(QDateTime::currentDateTime().addSecs(5),
                                    QFileDevice::FileModificationTime));
        touched.close();
        QVERIFY(near(ThemePreview::picture(path, QSize(32, 24), false).toImage().pixelColor(5, 5),
                     Qt::blue));
    }

    // The mock-up: the theme's colour around the board picture, like the board window.
    void drawsALittleBoard()
    {
        const QString board = file(u"board.png"_s);
        QVERIFY(writePicture(board, QSize(800, 600), QColor(250, 200, 40)));
        ThemePreview preview;
        preview.setBackgroundColour(44 * 65536 + 34 * 256 + 112);
        preview.setBoardPicture(board);
        QCOMPARE(preview.background(), QColor(112, 34, 44));
        const QSize size = preview.size();
        QVERIFY(size.width() > 200 && size.height() > 150);
        QVERIFY(near(pixel(preview, QPoint(10, size.height() / 2)), QColor(112, 34, 44)));
        QVERIFY(near(pixel(preview, QPoint(size.width() / 2, 3)), QColor(112, 34, 44)));
        // Inside the board picture, left of the numbers.
        QVERIFY(near(pixel(preview, QPoint(size.width() / 5, size.height() / 6)),
                     QColor(250, 200, 40)));
        preview.setBackgroundColour(0xFF0000); // blue
        QVERIFY(near(pixel(preview, QPoint(10, size.height() / 2)), Qt::blue));
    }
};

QTEST_MAIN(TestThemePreview)
#include "tst_themepreview.moc"
