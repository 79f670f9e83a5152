// Times, in one run, three things to their first paint: the board's own start-up (the full
// load, the theme applied, the board shown), the options window opened by Ctrl + right click on
// the board, and the floor, a bare dialog holding one tab widget. Openings are the median of
// several, in a copy of the program folder with every song present. Fails when the options
// window takes more than 1.5 times the floor.
#include "board/boardpeers.h"
#include "board/principale.h"
#include "core/appstate.h"
#include "core/loader.h"
#include "core/ports.h"
#include "core/themes.h"
#include "options/opzioni.h"
#include "widgets/progressione.h"

#include <QApplication>
#include <QDialog>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int Runs = 9;

class Quiet : public QuestionPort, public StartupWindows {
public:
    Answer ask(const QString &, const QString &, Icon, Buttons, Answer answer) override
    {
        return answer;
    }
    void showCopy(int) override {}
    void closeCopy() override {}
    void showOptions() override {}
};

// The board's peers as the program wires them for the options window.
class Peers : public BoardPeers {
public:
    Peers(AppState &state, Quiet &quiet) : m_state(state), m_quiet(quiet) {}
    Principale *board = nullptr;
    QPointer<Opzioni> options;
    void playModal(const QString &, const QString &) override {}
    void showOptions() override
    {
        if (!options)
            options = new Opzioni(m_state, OpzioniPorts{m_quiet, m_quiet, *board, {}, {}, {}});
        options->show();
    }
    void focusOptions() override {}
    void focusUpdate() override {}
    void unloadOthers() override { delete options.data(); }

private:
    AppState &m_state;
    Quiet &m_quiet;
};

class PaintWatch : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

void awaitPaint(const PaintWatch &watch, const QElapsedTimer &clock)
{
    while (!watch.painted && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
}

// Milliseconds from make() to the first paint of the window it returns.
double firstPaint(const std::function<QWidget *()> &make)
{
    QElapsedTimer clock;
    clock.start();
    QWidget *window = make();
    PaintWatch watch;
    window->installEventFilter(&watch);
    window->show();
    awaitPaint(watch, clock);
    const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    delete window;
    QCoreApplication::processEvents();
    return ms;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

// A copy of the delivered program folder with a song in every slot, so no question is asked.
bool prepareFolder(const QString &program, const QString &copy)
{
    if (program.isEmpty() || !QFileInfo(program + QStringLiteral("/Temi")).isDir())
        return false;
    QDirIterator it(program, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = copy + file.mid(program.size());
        if (QFileInfo(file).isExecutable())
            continue;
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(file, target))
            return false;
    }
    QDir(copy).mkpath(QStringLiteral("Musiche"));
    QStringList lines;
    const QStringList sections{QStringLiteral("[Spot]"), QStringLiteral("[Canto]"),
                               QStringLiteral("[Colonne Sonore]"), QStringLiteral("[Ballo]"),
                               QStringLiteral("[Scelte dagli educatori]")};
    for (int slot = 0; slot < 25; ++slot) {
        if (slot % 5 == 0)
            lines << sections.at(slot / 5);
        const QString song = QStringLiteral("song%1.wav").arg(slot);
        QFile(copy + QStringLiteral("/Musiche/") + song).open(QIODevice::WriteOnly);
        lines << QStringLiteral("%1=%2").arg(slot).arg(song);
    }
    QFile paths(copy + QStringLiteral("/Percorsi.ini"));
    QFile settings(copy + QStringLiteral("/Impostazioni.ini"));
    return paths.open(QIODevice::WriteOnly) &&
           paths.write(lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n") > 0 &&
           settings.open(QIODevice::WriteOnly) && settings.write("usazmp=0\r\nveragg=0\r\n") > 0;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    if (!prepareFolder(qEnvironmentVariable("ZEFIRO_PROGRAM_DIR"), dir.path())) {
        std::fputs("ZEFIRO_PROGRAM_DIR must name the built program folder\n", stderr);
        return 2;
    }
    AppState state;
    state.Path = dir.path();
    state.FilePercorsi = QStringLiteral("/Percorsi.ini");
    Quiet quiet;
    Peers peers(state, quiet);

    // The board's start-up, as the program runs it.
    QElapsedTimer clock;
    clock.start();
    state.Avvio = 1;
    Progressione progress;
    auto *board = new Principale(state, peers, quiet);
    peers.board = board;
    if (!Loader(state, progress, quiet, quiet, QStringLiteral("zefiro")).Caricamento(true))
        return 2;
    Themes themes(state, progress, quiet);
    themes.ScegliTema();
    themes.ImpostaTema(*board);
    board->load();
    PaintWatch boardWatch;
    board->installEventFilter(&boardWatch);
    board->showBoard();
    awaitPaint(boardWatch, clock);
    const double boardStart = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents();

    QWidget *surface = board->findChild<QLabel *>(QStringLiteral("Tabella"));
    const auto options = [&]() -> QWidget * {
        QTest::mouseClick(surface, Qt::RightButton, Qt::ControlModifier, QPoint(5, 5));
        return peers.options.data();
    };
    const auto bare = [] {
        auto *dialog = new QDialog;
        auto *layout = new QVBoxLayout(dialog);
        auto *tabs = new QTabWidget(dialog);
        for (const char *name : {"Impostazioni Tema", "Impostazioni delle Canzoni", "Avanzate"})
            tabs->addTab(new QWidget, QString::fromLatin1(name));
        layout->addWidget(tabs);
        return dialog;
    };
    QList<double> bareTimes, optionTimes;
    firstPaint(bare); // warm-up: fonts and style
    if (!options())
        return 2;
    delete peers.options.data();
    for (int i = 0; i < Runs; ++i) {
        bareTimes << firstPaint(bare);
        optionTimes << firstPaint(options);
    }
    const double b = median(bareTimes), o = median(optionTimes);
    std::printf("board start-up, load to first paint:   %.1f ms\n", boardStart);
    std::printf("bare dialog with one tab widget:       %.1f ms to first paint (median of %d)\n", b,
                Runs);
    std::printf("Ctrl + right click to \"Opzioni\" paint: %.1f ms (median of %d, %.1f..%.1f)\n", o,
                Runs, *std::min_element(optionTimes.begin(), optionTimes.end()),
                *std::max_element(optionTimes.begin(), optionTimes.end()));
    std::printf("ratio %.2f, target 1.50: %s\n", o / b, o <= 1.5 * b ? "met" : "NOT met");
    delete board;
    return o <= 1.5 * b ? 0 : 1;
}
