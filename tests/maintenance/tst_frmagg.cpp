#include "core/appstate.h"
#include "core/ports.h"
#include "maintenance/frmagg.h"
#include "maintenance/updatecheck.h"
#include "platform/qturlfetch.h"
#include "tests/maintenance/localserver.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
class NoWindows : public StartupWindows {
public:
    void showCopy(int) override {}
    void closeCopy() override {}
    void showOptions() override {}
};
} // namespace

class TestFrmAgg : public QObject {
    Q_OBJECT

private slots:
    void labels_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("status");
        QTest::newRow("newer") << "9.9.9"_ba << u"9.9.9"_s
                               << u"Sono presenti degli aggiornamenti per il programma"_s;
        QTest::newRow("same") << "2.1.1"_ba << u"2.1.1"_s
                              << u"Il programma è aggiornato all'ultima versione"_s;
        QTest::newRow("error page") << "<html>9.9.9</html>"_ba << u"Sconosciuta"_s
                                    << u"Impossibile verificare la presenza di aggiornamenti"_s;
    }

    void labels()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, current);
        QFETCH(QString, status);
        LocalServer server(LocalServer::Mode::Answer, body);
        QVERIFY(server.start());
        QtUrlFetch fetch;
        NoWindows windows;
        UpdateCheck check(fetch, windows, server.host());
        AppState state;
        QStringList opened;
        frmAgg window(
            state, check, [&opened](const QString &url) { opened << url; },
            u"http://www.example.org"_s);
        window.show();
        QVERIFY(state.AggiornamentoAperto);
        auto *stato = window.findChild<QLabel *>(u"lblStato"_s);
        QTRY_COMPARE_WITH_TIMEOUT(stato->text(), status, 10000);
        QCOMPARE(window.findChild<QLabel *>(u"lblInstallata"_s)->text(), u"2.1.1"_s);
        QCOMPARE(window.findChild<QLabel *>(u"lblCorrente"_s)->text(), current);
        QCOMPARE(window.windowTitle(), u"Aggiornamenti"_s);
        // "Ricarica" and the web site's button do not touch.
        QVERIFY(window.findChild<QPushButton *>(u"Command1"_s)->x() -
                    window.findChild<QPushButton *>(u"btnRicarica"_s)->geometry().right() >
                5);
        QTest::mouseClick(window.findChild<QPushButton *>(u"btnRicarica"_s), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(server.requests(), 2, 10000);
        QTest::mouseClick(window.findChild<QPushButton *>(u"Command1"_s), Qt::LeftButton);
        QCOMPARE(opened, QStringList{u"http://www.example.org"_s});
        const QString shots = qEnvironmentVariable("ZEFIRO_SHOTS");
        if (!shots.isEmpty())
            QVERIFY(window.grab().save(shots + u"/frmagg-"_s +
                                       QString::fromLatin1(QTest::currentDataTag()) + u".png"_s));
    }
};

QTEST_MAIN(TestFrmAgg)
#include "tst_frmagg.moc"
