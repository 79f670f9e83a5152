#include "widgets/placement.h"

#include <QScreen>
#include <QTest>
#include <QWidget>

// A window opens centred over its parent and wholly on the screen (800x800 offscreen).
class TestPlacement : public QObject {
    Q_OBJECT

private slots:
    void centreOver_data()
    {
        QTest::addColumn<QRect>("parent"); // empty: no parent
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("over its parent")
            << QRect(100, 100, 400, 300) << QSize(200, 100) << QPoint(200, 200);
        QTest::newRow("parent low on the right: moved in")
            << QRect(500, 600, 300, 200) << QSize(400, 300) << QPoint(400, 500);
        QTest::newRow("parent high on the left: moved in")
            << QRect(0, 0, 100, 80) << QSize(300, 200) << QPoint(0, 0);
        QTest::newRow("larger than the screen: its corner on it")
            << QRect(200, 200, 100, 100) << QSize(900, 900) << QPoint(0, 0);
        QTest::newRow("no parent: the screen's centre")
            << QRect() << QSize(200, 100) << QPoint(300, 350);
    }

    void centreOver()
    {
        QFETCH(QRect, parent);
        QFETCH(QSize, size);
        QFETCH(QPoint, expected);
        QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 800, 800));
        QWidget owner;
        if (!parent.isEmpty()) {
            owner.setGeometry(parent);
            owner.show();
            QVERIFY(QTest::qWaitForWindowExposed(&owner));
        }
        QWidget window;
        window.resize(size);
        ::centreOver(&window, parent.isEmpty() ? nullptr : &owner);
        // The offscreen platform draws frames of a few pixels, which the centring counts.
        QVERIFY2((window.pos() - expected).manhattanLength() <= 8,
                 qPrintable(QStringLiteral("%1,%2").arg(window.x()).arg(window.y())));
    }
};

QTEST_MAIN(TestPlacement)
#include "tst_placement.moc"
