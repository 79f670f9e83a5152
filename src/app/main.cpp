#include "app/mediawarmup.h"
#include "app/paintreport.h"
#include "app/peers.h"
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

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zefiro"));
    QApplication::setQuitOnLastWindowClosed(false);
    QTranslator translator;
    installItalian(translator);

    AppState state;
    MessageBoxQuestions questions;
    state.Avvio = 1;
    const ProgramFolder folder =
        ProgramFolder::resolve(QCoreApplication::applicationFilePath(),
                               QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    if (folder.path.isEmpty()) {
        questions.inform(u"Impossibile preparare la cartella dei dati: " + folder.error,
                         QStringLiteral("Zefiro"), QuestionPort::Icon::Critical);
        return 1;
    }
    state.Path = folder.path;
    state.FilePercorsi = QStringLiteral("/Percorsi.ini");
    if (!QFileInfo(state.file(QStringLiteral("Temi"))).isDir()) {
        questions.inform(QStringLiteral("Errore: Nessun tema esistente"), QStringLiteral("Zefiro"),
                         QuestionPort::Icon::Critical);
        return 1;
    }

    PlayerMemory playerMemory;
    // The system services of the playback window's sound controls, one each for the run.
    AlsaMixer mixer;
    MixerApp mixerApp;
    ProcCpuCounters cpuCounters;
    UnixPriority priority;
    QtUrlFetch fetch;
    AppPeers peers(state, questions, playerMemory,
                   SoundPorts{mixer, mixerApp, cpuCounters, priority}, fetch);
    // The loading window appears only when loading lasts long enough to be read (a first start
    // installing the music pack, a slow disk); a usual start of a few tens of milliseconds shows
    // the board without a window flashing up before it.
    DelayedProgress progress;
    LoaderWindows windows(peers);
    Principale board(state, peers, questions);
    peers.setBoard(board);
    // The system ending the program closes the board as its exit button would, once the board
    // is loaded.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &board,
                     &Principale::close);
    QObject::connect(&board, &Principale::terminated, &app, &QApplication::quit,
                     Qt::QueuedConnection);

    const QString executable = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    if (!Loader(state, progress, questions, windows, executable).Caricamento(true))
        return 1;
    Themes themes(state, progress, questions);
    themes.ScegliTema();
    themes.ImpostaTema(board);

    // Ended by the system while loading: leave every file as it was, so that the next start
    // brings the interrupted game back.
    if (const int signal = termination.pendingSignal())
        return 128 + signal;
    board.load();
    termination.setReady();
    std::unique_ptr<PaintReport> paintReport;
    if (PaintReport::wanted())
        paintReport = std::make_unique<PaintReport>(board);
    MediaWarmup mediaWarmup(board, questions);
    UpdateCheck startupCheck(fetch, windows, updateHost());
    if (state.settings.number(QStringLiteral("veragg")) == 1)
        new StartupUpdate(board, startupCheck, peers);
    board.showBoard();
    return QApplication::exec();
}
