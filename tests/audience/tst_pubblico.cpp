#include "audience/audience.h"
#include "audience/model/audiencemodel.h"
#include "audience/model/songreveal.h"
#include "audience/pubblico.h"

#include <QAccessible>
#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Every name and every label text on screen, as a screen reader or the room would read them.
void walk(QAccessibleInterface *node, QStringList &out, int depth = 0)
{
    if (!node || depth > 20 || node->state().invisible)
        return;
    if (!node->text(QAccessible::Name).isEmpty())
        out << node->text(QAccessible::Name);
    if (auto *label = qobject_cast<QLabel *>(node->object()); label && !label->text().isEmpty())
        out << label->text();
    for (int i = 0; i < node->childCount(); ++i)
        walk(node->child(i), out, depth + 1);
}

QStringList shown(QWidget *window)
{
    QStringList out;
    walk(QAccessible::queryAccessibleInterface(window), out);
    return out;
}

bool showsAny(QWidget *window, const QString &part)
{
    return !shown(window).filter(part).isEmpty();
}

} // namespace

class TstPubblico : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void followsTheModel();
    void titleOnlyAfterReveal();
    void phones();

private:
    QTemporaryDir m_dir;
    AudienceModel *m_model = nullptr;
    Pubblico *m_window = nullptr;
};

void TstPubblico::init()
{
    QVERIFY(m_dir.isValid());
    QImage picture(160, 90, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    QVERIFY(picture.save(m_dir.filePath(u"tabella.png"_s)));
    m_model = new AudienceModel;
    m_model->setPicture(m_dir.filePath(u"tabella.png"_s));
    m_model->setTeams({{u"Rossi"_s, u"#FF0000"_s, u'R'}, {u"Blu"_s, u"#0000FF"_s, u'B'}});
    m_model->setScores({30, 0});
    m_window = new Pubblico(*m_model);
    m_window->open(nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TstPubblico::cleanup()
{
    delete m_window;
    delete m_model;
}

// Marks, scores and the booking show as soon as the board pushes them.
void TstPubblico::followsTheModel()
{
    QCOMPARE(m_window->windowTitle(), u"Pubblico"_s);
    QStringList names = shown(m_window);
    QVERIFY(names.contains(u"Spot 10"_s));
    QVERIFY(names.contains(u"Scelte dagli Educatori 50"_s));
    QVERIFY(names.contains(u"Rossi: 30 punti"_s));
    QVERIFY(names.contains(u"Blu: 0 punti"_s));
    QVERIFY(!showsAny(m_window, u"Prenotata"_s));

    m_model->setPlayed(7, true);
    m_model->setScores({30, 20});
    m_model->setBooked(1);
    QTRY_VERIFY_WITH_TIMEOUT(shown(m_window).contains(u"Canto 30, giocato"_s), 100);
    names = shown(m_window);
    QVERIFY(names.contains(u"Blu: 20 punti"_s));
    QVERIFY(names.contains(u"Prenotata: Blu"_s));
    QVERIFY(!names.contains(u"Canto 30"_s));
    QVERIFY(m_window->findChild<QLabel *>(u"Numero7"_s)->styleSheet().contains(u"#FF0000"_s));
    QVERIFY(!m_window->findChild<QLabel *>(u"Numero8"_s)->font().strikeOut());

    m_model->setBooked(-1);
    m_model->clearPlayed();
    m_model->setTeams({});
    names = shown(m_window);
    QVERIFY(!showsAny(m_window, u"Prenotata"_s));
    QVERIFY(!showsAny(m_window, u"punti"_s));
    QVERIFY(names.contains(u"Canto 30"_s));

    // Its one key: Esc closes it; others leave it open.
    QTest::keyClick(m_window, Qt::Key_R);
    QVERIFY(m_window->isVisible());
    QTest::keyClick(m_window, Qt::Key_Escape);
    QVERIFY(!m_window->isVisible());
}

// The title read from the file stays out of sight until the presenter reveals it, and goes
// again with the next number.
void TstPubblico::titleOnlyAfterReveal()
{
    SongReveal songs(*m_model);
    const int ticket = songs.songStarted();
    m_model->setPlayed(3, true);
    songs.titleRead(ticket, u"Nel blu - Domenico Modugno"_s);
    QVERIFY(!showsAny(m_window, u"Nel blu"_s));
    QVERIFY(!showsAny(m_window, u"Modugno"_s));

    songs.reveal();
    QTRY_VERIFY_WITH_TIMEOUT(shown(m_window).contains(u"Nel blu - Domenico Modugno"_s), 100);
    QVERIFY(m_window->findChild<QLabel *>(u"Rivelato"_s)->isVisible());

    songs.songStarted();
    QVERIFY(!showsAny(m_window, u"Nel blu"_s));
}

void TstPubblico::phones()
{
    QVERIFY(!m_window->findChild<QWidget *>(u"Telefoni"_s)->isVisible());
    QImage qr(29, 29, QImage::Format_Mono);
    qr.fill(1);
    QByteArray png;
    QBuffer buffer(&png);
    QVERIFY(qr.save(&buffer, "PNG"));
    m_model->setPhones(u"http://192.168.1.20:8765/"_s, u"4821"_s, png);
    const QStringList names = shown(m_window);
    QVERIFY(names.contains(u"http://192.168.1.20:8765/"_s));
    QVERIFY(names.contains(u"Codice: 4821"_s));
    QVERIFY(names.contains(u"Codice QR dell'indirizzo"_s));
    QVERIFY(!m_window->findChild<QLabel *>(u"CodiceQR"_s)->pixmap().isNull());

    m_model->setPhones({}, u"4821"_s, png);
    QVERIFY(!showsAny(m_window, u"4821"_s));
    QVERIFY(!showsAny(m_window, u"8765"_s));

    // The server's picture reaches the model whole.
    Audience audience;
    audience.showPhones(u"http://10.0.0.2:8765/"_s, u"0007"_s, qr);
    QCOMPARE(QImage::fromData(audience.model().phoneQr()).size(), qr.size());
    QCOMPARE(audience.model().phoneCode(), u"0007"_s);
}

QTEST_MAIN(TstPubblico)
#include "tst_pubblico.moc"
