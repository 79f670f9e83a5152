#include "app/mediawarmup.h"
#include "app/paintreport.h"
#include "app/peers.h"
#include "app/shutdownsequence.h"
#include "app/startupupdate.h"
#include "board/principale.h"
#include "core/appstate.h"
#include "core/loader.h"
#include "core/programfolder.h"
#include "core/themes.h"
#include "maintenance/updatecheck.h"
#include "platform/alsamixer.h"
#include "platform/mixerapp.h"
#include "platform/proccpucounters.h"
#include "platform/qturlfetch.h"
#include "platform/siteconfig.h"
#include "platform/terminationsignals.h"
#include "platform/unixpriority.h"
#include "player/logic/playermemory.h"
#include "widgets/delayedprogress.h"
#include "widgets/messagebox.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTranslator>

#include <memory>

namespace {

// Qt's own buttons and dialogs speak Italian like the rest of the program.
void installItalian(QTranslator &translator)
{
    if (translator.load(QStringLiteral("qtbase_it"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&translator);
}

void prepareApplication(QTranslator &translator)
{
    QApplication::setApplicationName(QStringLiteral("Zefiro"));
    QApplication::setQuitOnLastWindowClosed(false);
    installItalian(translator);
}

// The folder of the data files, which must hold at least the themes; false after telling the
// presenter why the program cannot start.
bool findProgramFolder(AppState &state, QuestionPort &questions)
{
    state.Avvio = 1;
    const ProgramFolder folder =
        ProgramFolder::resolve(QCoreApplication::applicationFilePath(),
                               QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    if (folder.path.isEmpty()) {
        questions.inform(u"Impossibile preparare la cartella dei dati: " + folder.error,
                         QStringLiteral("Zefiro"), QuestionPort::Icon::Critical);
        return false;
    }
    state.Path = folder.path;
    state.FilePercorsi = QStringLiteral("/Percorsi.ini");
    if (!QFileInfo(state.file(QStringLiteral("Temi"))).isDir()) {
        questions.inform(QStringLiteral("Errore: Nessun tema esistente"), QStringLiteral("Zefiro"),
                         QuestionPort::Icon::Critical);
        return false;
    }
    return true;
}

// The system services of the playback window's sound controls and of the update check, one
// each for the run.
struct SystemServices {
    AlsaMixer mixer;
    MixerApp mixerApp;
    ProcCpuCounters cpuCounters;
    UnixPriority priority;
    QtUrlFetch fetch;

    SoundPorts sound() { return SoundPorts{mixer, mixerApp, cpuCounters, priority}; }
};

// The system ending the program closes the board as its exit button would, once the board is
// loaded, and only after every box and window above it has closed and returned.
void endWithTheSystem(TerminationSignals &termination, ShutdownSequence &shutdown,
                      Principale &board)
{
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &shutdown,
                     &ShutdownSequence::request);
    QObject::connect(&board, &Principale::terminated, qApp, &QApplication::quit,
                     Qt::QueuedConnection);
}

// The data files, the songs and the chosen theme; false when loading cannot go on.
bool loadData(AppState &state, ProgressPort &progress, QuestionPort &questions,
              LoaderWindows &windows, Principale &board)
{
    const QString executable = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    if (!Loader(state, progress, questions, windows, executable).Caricamento(true))
        return false;
    Themes themes(state, progress, questions);
    themes.ScegliTema();
    themes.ImpostaTema(board);
    return true;
}

// Shows the loaded board with what runs beside it, until the program ends.
int runBoard(AppState &state, Principale &board, AppPeers &peers, QuestionPort &questions,
             LoaderWindows &windows, UrlFetch &fetch, ShutdownSequence &shutdown)
{
    std::unique_ptr<PaintReport> paintReport;
    if (PaintReport::wanted())
        paintReport = std::make_unique<PaintReport>(board);
    MediaWarmup mediaWarmup(board, questions);
    UpdateCheck startupCheck(fetch, windows, updateHost());
    if (state.settings.number(QStringLiteral("veragg")) == 1)
        new StartupUpdate(board, startupCheck, peers);
    board.showBoard();
    return shutdown.run();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTranslator translator;
    prepareApplication(translator);

    AppState state;
    MessageBoxQuestions questions;
    if (!findProgramFolder(state, questions))
        return 1;

    PlayerMemory playerMemory;
    SystemServices services;
    AppPeers peers(state, questions, playerMemory, services.sound(), services.fetch);
    // The loading window appears only when loading lasts long enough to be read (a first start
    // installing the music pack, a slow disk); a usual start of a few tens of milliseconds shows
    // the board without a window flashing up before it.
    DelayedProgress progress;
    LoaderWindows windows(peers);
    Principale board(state, peers, questions);
    peers.setBoard(board);
    TerminationSignals termination;
    ShutdownSequence shutdown([&board] { board.close(); });
    endWithTheSystem(termination, shutdown, board);

    if (!loadData(state, progress, questions, windows, board))
        return 1;
    // Ended by the system while loading: leave every file as it was, so that the next start
    // brings the interrupted game back.
    if (const int signal = termination.pendingSignal())
        return 128 + signal;
    board.load();
    termination.setReady();
    return runBoard(state, board, peers, questions, windows, services.fetch, shutdown);
}
