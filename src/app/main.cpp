#include "appstate.h"
#include "loader.h"
#include "messagebox.h"
#include "principale.h"
#include "progressione.h"
#include "standins.h"
#include "terminationsignals.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

void loadItalian(QApplication &app, QTranslator &translator)
{
    if (translator.load(QStringLiteral("qtbase_it"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&translator);
    (void)app;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zefiro"));
    QApplication::setQuitOnLastWindowClosed(false);
    QTranslator translator;
    loadItalian(app, translator);

    AppState state;
    MessageBoxQuestions questions;
    Progressione progress;
    StandInPeers peers(state);

    state.Avvio = 1;
    state.Path = QCoreApplication::applicationDirPath();
    state.FilePercorsi = QStringLiteral("/Percorsi.ini");
    if (!QFileInfo(state.file(QStringLiteral("Temi"))).isDir()) {
        questions.inform(QStringLiteral("Errore: Nessun tema esistente"), QStringLiteral("Zefiro"),
                         QuestionPort::Icon::Critical);
        return 1;
    }
    Loader(state, progress, questions).Caricamento(true);

    Principale board(state, peers, questions);
    board.load();
    TerminationSignals signalsIn;
    QObject::connect(&signalsIn, &TerminationSignals::terminationRequested, &board,
                     [&board] { board.close(); });
    QObject::connect(&board, &Principale::terminated, &app, &QApplication::quit);
    board.showBoard();
    return QApplication::exec();
}
