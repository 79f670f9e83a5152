#include "platform/tagreader.h"

#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TstTagReader : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void shownTitle_data();
    void shownTitle();
    void readsOffTheWindowThread();

private:
    void make(const QString &name, const QString &encoder, const QString &tags);
    QTemporaryDir m_dir;
};

// A short tone encoded by GStreamer itself, tagged with tags (a taginject structure) when given.
void TstTagReader::make(const QString &name, const QString &encoder, const QString &tags)
{
    const QString launch = QStandardPaths::findExecutable(u"gst-launch-1.0"_s);
    QVERIFY2(!launch.isEmpty(), "gst-launch-1.0 makes the tagged files");
    QStringList args{u"-q"_s, u"audiotestsrc"_s, u"num-buffers=20"_s, u"!"_s, u"audioconvert"_s};
    // Before the encoder: a Vorbis encoder writes the tags it is told of upstream.
    if (!tags.isEmpty())
        args += {u"!"_s, u"taginject"_s, u"tags=\""_s + tags + u'"'};
    args += encoder.split(u' ');
    args += {u"!"_s, name.endsWith(u".mp3") ? u"id3v2mux"_s : u"oggmux"_s, u"!"_s, u"filesink"_s,
             u"location="_s + m_dir.filePath(name)};
    QProcess process;
    process.start(launch, args);
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 0);
}

void TstTagReader::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QString mp3 = u"! lamemp3enc"_s;
    const QString ogg = u"! vorbisenc"_s;
    make(u"brano 7.mp3"_s, mp3, uR"(title=\"Nel blu\",artist=\"Domenico Modugno\")"_s);
    make(u"senza artista.ogg"_s, ogg, uR"(title=\"Solo titolo\")"_s);
    make(u"Nessun tag.v2.mp3"_s, mp3, {});
    make(u"solo artista.mp3"_s, mp3, uR"(artist=\"Qualcuno\")"_s);
}

void TstTagReader::shownTitle_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("shown");
    QTest::newRow("title and artist") << u"brano 7.mp3"_s << u"Nel blu - Domenico Modugno"_s;
    QTest::newRow("title alone") << u"senza artista.ogg"_s << u"Solo titolo"_s;
    QTest::newRow("no tags: the name without its extension")
        << u"Nessun tag.v2.mp3"_s << u"Nessun tag.v2"_s;
    QTest::newRow("an artist without a title is not enough")
        << u"solo artista.mp3"_s << u"solo artista"_s;
    QTest::newRow("missing file") << u"sparito.mp3"_s << u"sparito"_s;
}

void TstTagReader::shownTitle()
{
    QFETCH(QString, file);
    QFETCH(QString, shown);
    const QString path = m_dir.filePath(file);
    QCOMPARE(Tags::shownTitle(Tags::read(path), path), shown);
}

// Each read answers once, with its own ticket, on the reader's thread, while that thread runs.
void TstTagReader::readsOffTheWindowThread()
{
    TagReader reader;
    QList<QPair<int, QString>> answers;
    connect(&reader, &TagReader::titleRead, this, [&](int ticket, const QString &text) {
        QCOMPARE(QThread::currentThread(), thread());
        answers.append({ticket, text});
    });
    reader.read(1, m_dir.filePath(u"brano 7.mp3"_s));
    reader.read(2, m_dir.filePath(u"Nessun tag.v2.mp3"_s));
    QVERIFY(answers.isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(answers.size(), 2, 15000);
    QCOMPARE(answers.at(0), qMakePair(1, u"Nel blu - Domenico Modugno"_s));
    QCOMPARE(answers.at(1), qMakePair(2, u"Nessun tag.v2"_s));
}

QTEST_GUILESS_MAIN(TstTagReader)
#include "tst_tagreader.moc"
