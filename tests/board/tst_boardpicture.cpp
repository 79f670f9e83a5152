// The board picture: decoded at the size it is shown at, stretched over the label as before.
#include "board/boardpicture.h"
#include "tests/fakes/colours.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QColor TopLeft(200, 0, 0), TopRight(0, 0, 200), BottomLeft(0, 160, 0),
    BottomRight(220, 220, 0);

// Four quadrants of plain colour, so that a stretched picture keeps each colour in its
// quarter of the label and a letterboxed one does not.
QImage quadrants(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    const int w = size.width() / 2, h = size.height() / 2;
    p.fillRect(0, 0, w, h, TopLeft);
    p.fillRect(w, 0, size.width() - w, h, TopRight);
    p.fillRect(0, h, w, size.height() - h, BottomLeft);
    p.fillRect(w, h, size.width() - w, size.height() - h, BottomRight);
    return image;
}

bool near(QColor a, QColor b)
{
    return colourDistance(a, b) < 40;
}

} // namespace

class TestBoardPicture : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString save(const QString &name, const QImage &image)
    {
        const QString path = m_dir.filePath(name);
        if (!image.save(path))
            return {};
        return path;
    }

    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return {};
        return path;
    }

    // A label of the given size that shows file and has painted once; null if it refused file.
    static std::unique_ptr<BoardPicture> painted(const QString &file, QSize size)
    {
        auto label = std::make_unique<BoardPicture>();
        label->resize(size);
        if (!label->setPictureFile(file))
            return nullptr;
        label->grab();
        return label;
    }

private slots:
    void decodedAtLabelSize_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("pictureSize");
        QTest::addColumn<QSize>("labelSize");
        QTest::newRow("theme JPEG on a full-HD board")
            << u"a.jpg"_s << QSize(1600, 960) << QSize(1820, 1000);
        QTest::newRow("theme JPEG on a small board")
            << u"b.jpg"_s << QSize(1600, 960) << QSize(700, 420);
        QTest::newRow("JPEG on a tall label") << u"c.jpg"_s << QSize(1600, 960) << QSize(300, 600);
        QTest::newRow("PNG shrunk") << u"d.png"_s << QSize(800, 600) << QSize(400, 300);
        QTest::newRow("PNG grown and widened") << u"e.png"_s << QSize(40, 40) << QSize(500, 120);
        QTest::newRow("JPEG at its own size") << u"f.jpg"_s << QSize(640, 480) << QSize(640, 480);
    }

    void decodedAtLabelSize()
    {
        QFETCH(QString, name);
        QFETCH(QSize, pictureSize);
        QFETCH(QSize, labelSize);
        const QString file = save(name, quadrants(pictureSize));
        QVERIFY(!file.isEmpty());
        BoardPicture label;
        label.resize(labelSize);
        QVERIFY(label.setPictureFile(file));
        const QImage shown = label.grab().toImage();
        // Only the label-sized picture is held, never the file's own size.
        QCOMPARE(label.picture().size(), labelSize);
        const int x1 = labelSize.width() / 4, x2 = labelSize.width() * 3 / 4;
        const int y1 = labelSize.height() / 4, y2 = labelSize.height() * 3 / 4;
        QVERIFY(near(shown.pixelColor(x1, y1), TopLeft));
        QVERIFY(near(shown.pixelColor(x2, y1), TopRight));
        QVERIFY(near(shown.pixelColor(x1, y2), BottomLeft));
        QVERIFY(near(shown.pixelColor(x2, y2), BottomRight));
        QVERIFY(near(shown.pixelColor(2, 2), TopLeft));
        QVERIFY(near(shown.pixelColor(labelSize.width() - 3, labelSize.height() - 3), BottomRight));
    }

    void followsTheLabelsSize()
    {
        const auto label = painted(save(u"g.jpg"_s, quadrants(QSize(1600, 960))), {800, 480});
        QVERIFY(label);
        QCOMPARE(label->picture().size(), QSize(800, 480));
        const qint64 first = label->picture().cacheKey();
        label->grab();
        QCOMPARE(label->picture().cacheKey(), first); // no new decode at the same size
        label->resize(1280, 760);
        label->grab();
        QCOMPARE(label->picture().size(), QSize(1280, 760));
    }

    // A decode started ahead of the paint is taken only while it still fits the label and
    // the file; otherwise the paint shows what the label holds now.
    void aheadDecodeFitsThePaint_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("unchanged") << QString();
        QTest::newRow("label resized since") << u"resize"_s;
        QTest::newRow("picture chosen since") << u"file"_s;
    }

    void aheadDecodeFitsThePaint()
    {
        QFETCH(QString, change);
        const QString themed = save(u"ahead.jpg"_s, quadrants(QSize(1600, 960)));
        QImage plain(QSize(1600, 960), QImage::Format_RGB32);
        plain.fill(BottomRight);
        const QString other = save(u"plain.jpg"_s, plain);
        QVERIFY(!themed.isEmpty() && !other.isEmpty());
        BoardPicture label;
        label.resize(800, 480);
        QVERIFY(label.setPictureFile(themed));
        label.decodeAhead();
        if (change == u"resize")
            label.resize(1280, 760);
        if (change == u"file")
            QVERIFY(label.setPictureFile(other));
        const QImage shown = label.grab().toImage();
        QCOMPARE(label.picture().size(), label.size());
        QCOMPARE(shown.size(), label.size());
        const bool plainShown = change == u"file";
        QVERIFY(near(shown.pixelColor(label.width() / 4, label.height() / 4),
                     plainShown ? BottomRight : TopLeft));
        QVERIFY(near(shown.pixelColor(label.width() * 3 / 4, label.height() * 3 / 4), BottomRight));
    }

    void unreadableKeepsThePicture_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("exists");
        QTest::newRow("missing file") << QByteArray() << false;
        QTest::newRow("empty file") << QByteArray() << true;
        QTest::newRow("text named .jpg") << QByteArray("Tabella=t.jpg\r\n") << true;
        QTest::newRow("JPEG cut after its header")
            << QByteArray::fromHex("ffd8ffe000104a46494600010100000100010000") << true;
    }

    void unreadableKeepsThePicture()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, exists);
        const auto label = painted(save(u"good.png"_s, quadrants(QSize(60, 40))), {120, 80});
        QVERIFY(label);
        const QString bad = exists ? write(u"bad.jpg"_s, bytes) : m_dir.filePath(u"none.jpg"_s);
        QVERIFY(!bad.isEmpty());
        QVERIFY(!label->setPictureFile(bad));
        label->resize(200, 100);
        const QImage after = label->grab().toImage();
        // The picture chosen before is still the one decoded, now at the new size.
        QCOMPARE(label->picture().size(), QSize(200, 100));
        QVERIFY(near(after.pixelColor(150, 75), BottomRight));
    }

    // A picture spoilt on disk after it was chosen: the board keeps what it showed.
    void spoiltAfterChoosing()
    {
        const auto label = painted(save(u"h.png"_s, quadrants(QSize(60, 40))), {120, 80});
        QVERIFY(label);
        const qint64 shown = label->picture().cacheKey();
        QVERIFY(!write(u"h.png"_s, QByteArray("spoilt")).isEmpty());
        label->resize(240, 160);
        const QImage after = label->grab().toImage();
        QCOMPARE(label->picture().cacheKey(), shown);
        QVERIFY(near(after.pixelColor(60, 40), TopLeft));
        QVERIFY(near(after.pixelColor(180, 120), BottomRight));
    }
};

QTEST_MAIN(TestBoardPicture)
#include "tst_boardpicture.moc"
