#include "widgets/copia.h"

#include <QLabel>
#include <QTest>
#include <QWindow>

using namespace Qt::StringLiterals;

namespace {

// Counts the paints the window gets.
class Paints : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

} // namespace

// The copy waits without letting events in: the window must be on screen and drawn, in front
// of the window it came from, before showNow() hands back.
class TestCopia : public QObject {
    Q_OBJECT

private slots:
    void drawnBeforeTheWork()
    {
        QWidget options;
        options.show();
        QVERIFY(QTest::qWaitForWindowExposed(&options));
        Copia copy(0, &options);
        Paints paints;
        copy.installEventFilter(&paints);
        copy.showNow();
        QVERIFY(copy.isWindow());
        QVERIFY(copy.windowHandle() && copy.windowHandle()->isExposed());
        QVERIFY(paints.count > 0);
        QCOMPARE(copy.windowHandle()->transientParent(), options.windowHandle());
        QCOMPARE(copy.findChild<QLabel *>(u"Label1"_s)->text(), u"Copia file in corso"_s);
    }
};

QTEST_MAIN(TestCopia)
#include "tst_copia.moc"
