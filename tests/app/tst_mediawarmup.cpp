// The media stack's warm-up after the board's first paint, with Qt's real media back end. Qt
// picks its back end once per process, so every row runs a child process of this program
// (started with --warm-child) that shows a window, warms the media stack after its first paint
// and prints what happened, in order, on its standard output.
#include "app/mediawarmup.h"
#include "app/paintreport.h"
#include "core/ports.h"

#include <QApplication>
#include <QProcess>
#include <QTest>
#include <QWidget>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

const char *const ChildFlag = "--warm-child";

// Every box the warm-up shows becomes one line: its icon, title and text.
class PrintedQuestions : public QuestionPort {
public:
    Answer ask(const QString &text, const QString &title, Icon icon, Buttons,
               Answer defaultAnswer) override
    {
        const QString iconName =
            icon == Icon::Warning ? QStringLiteral("warning") : QString::number(int(icon));
        PaintReport::print((u"box " + iconName + u" " + title + u": " + text).toUtf8().constData());
        return defaultAnswer;
    }
};

int runChild(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget board;
    board.resize(320, 200);
    PrintedQuestions questions;
    PaintReport report(board);
    MediaWarmup warmup(board, questions);
    QObject::connect(&warmup, &MediaWarmup::warmed, &app, [] {
        PaintReport::print("warmed");
        QCoreApplication::quit();
    });
    board.show();
    return QApplication::exec();
}

} // namespace

class TestMediaWarmup : public QObject {
    Q_OBJECT

private slots:
    void reportsAtStart_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QStringList>("expected");
        const QStringList played{u"first-paint"_s, u"media-ready"_s, u"warmed"_s};
        const QStringList missing{
            u"first-paint"_s, u"media-ready"_s,
            u"box warning Zefiro: ATTENZIONE!!! Il modulo di riproduzione di Qt Multimedia non è "
            u"disponibile: le canzoni non potranno essere ascoltate."_s,
            u"warmed"_s};
        QTest::newRow("back end Qt chooses") << QString() << played;
        QTest::newRow("GStreamer named") << u"gstreamer"_s << played;
        QTest::newRow("back end not installed") << u"nessuno"_s << missing;
    }

    // The box comes after the first paint and before any click: none is made here.
    void reportsAtStart()
    {
        QFETCH(QString, backend);
        QFETCH(QStringList, expected);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"ZEFIRO_REPORT_FIRST_PAINT"_s, u"1"_s);
        env.remove(u"QT_MEDIA_BACKEND"_s);
        if (!backend.isEmpty())
            env.insert(u"QT_MEDIA_BACKEND"_s, backend);
        QProcess child;
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(ChildFlag)});
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);
        const QStringList lines =
            QString::fromUtf8(child.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines, expected);
    }
};

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], ChildFlag) == 0)
        return runChild(argc, argv);
    QCoreApplication app(argc, argv);
    TestMediaWarmup test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mediawarmup.moc"
