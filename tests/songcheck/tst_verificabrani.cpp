#include "songcheck/verificabrani.h"
#include "tests/fakes/tonefiles.h"
#include "tests/songcheck/countingprobe.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

class TstVerificaBrani : public QObject {
    Q_OBJECT

private slots:
    void init();
    void rows_data();
    void rows();
    void closingStopsTheCheck();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QString cell(int row, int column) const { return m_table->item(row, column)->text(); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<CountingProbe> m_probe;
    std::unique_ptr<AnalysisCache> m_cache;
    std::unique_ptr<VerificaBrani> m_window;
    QTableWidget *m_table = nullptr;
};

void TstVerificaBrani::init()
{
    m_window.reset();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_probe = std::make_unique<CountingProbe>();
    m_cache = std::make_unique<AnalysisCache>(path(u"Analisi.ini"_s));
}

void TstVerificaBrani::rows_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("categoria");
    QTest::addColumn<QString>("punti");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("durata");
    QTest::addColumn<QString>("stato");
    QTest::addColumn<bool>("red");

    QTest::newRow("good") << 0 << u"Spot"_s << u"10"_s << u"buono.wav"_s << u"03.25"_s << u"OK"_s
                          << false;
    QTest::newRow("silent") << 1 << u"Spot"_s << u"20"_s << u"muto.wav"_s << u"00.02"_s
                            << u"Silenzioso"_s << true;
    QTest::newRow("short") << 7 << u"Canto"_s << u"30"_s << u"breve.wav"_s << u"00.00"_s
                           << u"Troppo breve"_s << true;
    QTest::newRow("snippet under a second") << 2 << u"Spot"_s << u"30"_s << u"estratto.wav"_s
                                            << u"00.03"_s << u"Estratto troppo breve"_s << true;
    QTest::newRow("corrupt") << 13 << u"Colonne Sonore"_s << u"40"_s << u"rotto.mp3"_s << QString()
                             << u"Non riproducibile: "_s << true;
    // Bytes that only look like MPEG frames here and there: the decoder must give up rather
    // than play noise.
    QTest::newRow("random bytes") << 14 << u"Colonne Sonore"_s << u"50"_s << u"casuale.mp3"_s
                                  << QString() << u"Non riproducibile: "_s << true;
    QTest::newRow("missing") << 24 << u"Scelte dagli Educatori"_s << u"50"_s << u"via.wav"_s
                             << QString() << u"File mancante"_s << true;
    QTest::newRow("empty slot") << 18 << u"Ballo"_s << u"40"_s << QString() << QString()
                                << u"File mancante"_s << true;
}

void TstVerificaBrani::rows()
{
    QFETCH(int, row);
    QFETCH(QString, categoria);
    QFETCH(QString, punti);
    QFETCH(QString, file);
    QFETCH(QString, durata);
    QFETCH(QString, stato);
    QFETCH(bool, red);

    const QString folder = m_dir->path() + u'/';
    PathsTable songs;
    const auto put = [&](int slot, const QString &name) { songs[size_t(slot)] = {name, folder}; };
    put(0, u"buono.wav"_s);
    put(1, u"muto.wav"_s);
    put(7, u"breve.wav"_s);
    put(2, u"estratto.wav"_s);
    songs[2].snippet = {1000, 1800, u"estratto.wav"_s};
    // Points that belong to another file are not this song's.
    songs[0].snippet = {1000, 1800, u"altro.wav"_s};
    put(13, u"rotto.mp3"_s);
    put(14, u"casuale.mp3"_s);
    put(24, u"via.wav"_s);
    QVERIFY(ToneFiles::write(path(u"buono.wav"_s), ToneFiles::wav({205.2, -12.0, 1, 8000, 440.0})));
    QVERIFY(ToneFiles::write(path(u"muto.wav"_s),
                             ToneFiles::wav({2.5, AudioAnalysis::Silence, 2, 44100, 1000.0})));
    QVERIFY(ToneFiles::write(path(u"breve.wav"_s), ToneFiles::wav({0.5, -20.0, 2, 44100, 440.0})));
    QVERIFY(
        ToneFiles::write(path(u"estratto.wav"_s), ToneFiles::wav({3.0, -12.0, 1, 8000, 440.0})));
    QVERIFY(ToneFiles::write(path(u"rotto.mp3"_s), QByteArray(10000, '\x7f')));
    QByteArray noise(256 * 1024, Qt::Uninitialized);
    QRandomGenerator(11).fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
    QVERIFY(ToneFiles::write(path(u"casuale.mp3"_s), noise));

    m_window = std::make_unique<VerificaBrani>(songs, *m_probe, *m_cache);
    m_window->show();
    m_window->start();
    m_table = m_window->findChild<QTableWidget *>(u"Brani"_s);
    QVERIFY(m_table);
    QCOMPARE(m_table->rowCount(), 25);
    QTRY_VERIFY_WITH_TIMEOUT(m_window->isDone(), 60000);
    QCOMPARE(m_window->findChild<QProgressBar *>(u"Avanzamento"_s)->value(), 25);
    if (const QString shots = qEnvironmentVariable("ZEFIRO_SHOTS_DIR"); !shots.isEmpty())
        QVERIFY(m_window->grab().save(shots + u"/verificabrani.png"_s));

    QCOMPARE(cell(row, VerificaBrani::Categoria), categoria);
    QCOMPARE(cell(row, VerificaBrani::Punti), punti);
    QCOMPARE(cell(row, VerificaBrani::File), file);
    QCOMPARE(cell(row, VerificaBrani::Durata), durata);
    QVERIFY2(cell(row, VerificaBrani::Stato).startsWith(stato),
             qPrintable(cell(row, VerificaBrani::Stato)));
    QVERIFY(cell(row, VerificaBrani::Stato).size() > (stato.endsWith(u' ') ? stato.size() : 0));
    for (int column = 0; column < VerificaBrani::ColumnCount; ++column)
        QCOMPARE(m_table->item(row, column)->foreground().color() == Qt::red, red);
    const bool loudness = stato == u"OK" || stato.endsWith(u"roppo breve");
    QCOMPARE(!cell(row, VerificaBrani::Lufs).isEmpty(), loudness);
    QCOMPARE(m_window->findChild<QLabel *>(u"Riepilogo"_s)->text(),
             u"Verifica completata: 24 brani da controllare"_s);
    QCOMPARE(m_probe->decodes.load(), 6);
}

// Closed with "Chiudi" at the first result: the window goes at once, the rest is never decoded, and
// what was analysed is written for the next check.
void TstVerificaBrani::closingStopsTheCheck()
{
    const QString folder = m_dir->path() + u'/';
    PathsTable songs;
    for (int slot = 0; slot < 8; ++slot) {
        songs[size_t(slot)] = {u"brano%1.wav"_s.arg(slot), folder};
        QVERIFY(ToneFiles::write(songs[size_t(slot)].fullPath(),
                                 ToneFiles::wav({60.0, -20.0, 2, 44100, 1000.0})));
    }
    QPointer<VerificaBrani> window = openSongCheck(songs, *m_probe, *m_cache);
    auto *bar = window->findChild<QProgressBar *>(u"Avanzamento"_s);
    QTRY_VERIFY_WITH_TIMEOUT(bar->value() >= 1, 60000);
    QTest::mouseClick(window->findChild<QPushButton *>(u"btnChiudi"_s), Qt::LeftButton);
    QTRY_VERIFY(window.isNull());
    const int decoded = m_probe->decodes.load();
    QVERIFY2(decoded < 8, qPrintable(QString::number(decoded)));

    AnalysisCache reread(path(u"Analisi.ini"_s));
    reread.load();
    QVERIFY(reread.count() >= 1);
    QVERIFY(reread.count() <= decoded);
}

QTEST_MAIN(TstVerificaBrani)
#include "tst_verificabrani.moc"
