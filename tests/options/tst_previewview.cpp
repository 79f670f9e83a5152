#include "options/songs/previewplayer.h"
#include "options/songs/previewview.h"
#include "tests/fakes/fakemediaplayer.h"

#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

// The preview's strip driven with the mouse, over a fake player.
class TestPreviewView : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void transport();
    void captionFollows();
    void mouseSignals();
    void tops_data();
    void tops();

private:
    QToolButton *button(const char *name) const
    {
        return m_tab->findChild<QToolButton *>(QString::fromLatin1(name));
    }
    void play(const QString &name)
    {
        QFile file(m_dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        m_preview->PlayWMP({u"Canto"_s, 1, 1, {name, m_dir.path() + u'/'}, name});
        m_player.setState(MediaPlayer::PlayState::Playing);
    }

    QTemporaryDir m_dir;
    FakeMediaPlayer m_player;
    PreviewPlayer *m_preview = nullptr;
    QWidget *m_tab = nullptr;
    PreviewView *m_view = nullptr;
};

void TestPreviewView::init()
{
    m_player.calls.clear();
    m_player.state = MediaPlayer::PlayState::Stopped;
    m_player.url.clear();
    m_preview = new PreviewPlayer(m_player);
    m_tab = new QWidget;
    m_tab->resize(600, 400);
    m_view = new PreviewView(*m_preview, m_player, m_tab);
    m_view->setGeometry(10, 168, 300, 40);
    m_tab->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_tab));
}

void TestPreviewView::cleanup()
{
    delete m_tab;
    delete m_preview;
}

void TestPreviewView::transport()
{
    QVERIFY(!button("btnAnteprimaPlay")->isEnabled());
    QVERIFY(!button("btnAnteprimaStop")->isEnabled());
    play(u"a.mp3"_s);
    QCOMPARE(button("btnAnteprimaPlay")->accessibleName(), u"Pausa"_s);
    QVERIFY(button("btnAnteprimaStop")->isEnabled());
    m_player.calls.clear();
    QTest::mouseClick(button("btnAnteprimaPlay"), Qt::LeftButton);
    QCOMPARE(m_player.calls, QStringList{u"pause"_s});
    QCOMPARE(button("btnAnteprimaPlay")->accessibleName(), u"Riproduci"_s);
    QTest::mouseClick(button("btnAnteprimaPlay"), Qt::LeftButton);
    QCOMPARE(m_player.state, MediaPlayer::PlayState::Playing);
    QTest::mouseClick(button("btnAnteprimaStop"), Qt::LeftButton);
    QCOMPARE(m_player.calls.last(), u"stop"_s);
    QCOMPARE(m_preview->caption(), u"In Riproduzione:"_s);
    QVERIFY(!button("btnAnteprimaStop")->isEnabled());
}

void TestPreviewView::captionFollows()
{
    auto *caption = m_tab->findChild<QLabel *>(u"lblInRiproduz"_s);
    QVERIFY(caption);
    QCOMPARE(caption->text(), u"In Riproduzione:"_s);
    play(u"a.mp3"_s);
    m_preview->Timer2_Timer();
    QCOMPARE(caption->text(), u"In Riproduzione: Canto 20"_s);
    QCOMPARE(caption->accessibleName(), caption->text());
}

void TestPreviewView::mouseSignals()
{
    QSignalSpy moved(m_view, &PreviewView::pointerMoved);
    QSignalSpy released(m_view, &PreviewView::leftReleased);
    QTest::mouseMove(m_view, QPoint(150, 5));
    QTRY_VERIFY(moved.count() > 0);
    QTest::mouseClick(m_view, Qt::RightButton, {}, QPoint(150, 5));
    QCOMPARE(released.count(), 0);
    QTest::mouseClick(m_view, Qt::LeftButton, {}, QPoint(150, 5));
    QCOMPARE(released.count(), 1);
    emit m_player.mouseReleased(3, 3, Qt::LeftButton);
    QCOMPARE(released.count(), 2);
}

void TestPreviewView::tops_data()
{
    QTest::addColumn<bool>("warning");
    QTest::addColumn<int>("captionTop");
    QTest::addColumn<int>("playerTop");
    QTest::newRow("no warning") << false << 128 << 168;
    QTest::newRow("warning shown") << true << 168 << 192;
}

void TestPreviewView::tops()
{
    QFETCH(bool, warning);
    QFETCH(int, captionTop);
    QFETCH(int, playerTop);
    m_view->setWarningShown(!warning);
    m_view->setWarningShown(warning);
    QCOMPARE(m_view->captionLabel()->y(), captionTop);
    QCOMPARE(m_view->y(), playerTop);
    QCOMPARE(m_view->x(), 10);
}

QTEST_MAIN(TestPreviewView)
#include "tst_previewview.moc"
