#include "core/loader.h"

#include "core/appstate.h"
#include "core/datafiles.h"
#include "core/musicpack.h"
#include "core/ports.h"
#include "core/settingsfile.h"
#include "core/songcheck.h"
#include "core/songpaths.h"
#include "core/textfile.h"
#include "core/themes.h"

#include <QDir>
#include <QFileInfo>

Loader::Loader(AppState &state, ProgressPort &progress, QuestionPort &questions,
               StartupWindows &windows, QString executableName)
    : m_state(state), m_progress(progress), m_questions(questions), m_windows(windows),
      m_executable(std::move(executableName))
{
}

void Loader::PreparaProgresso(bool countThemes, bool countSettings, bool countPaths)
{
    int n = 0;
    if (countThemes) {
        m_state.CartelleTemi = Themes::folders(m_state);
        n = static_cast<int>(m_state.CartelleTemi.size());
    }
    if (countSettings)
        n += static_cast<int>(
            DataFiles::readLines(m_state, m_state.file(QStringLiteral("Impostazioni.ini"))).size());
    if (countPaths)
        n += 24;
    m_progress.setMaximum(n + 1);
    m_progress.setValue(1);
    m_state.InCaricamento = true;
}

bool Loader::Caricamento(bool full)
{
    PreparaProgresso(true, true, true);
    CaricaImpostazioni(m_state, m_progress);
    reportOutsideLinks();
    if (full) {
        MusicPack pack(m_state, m_questions, m_windows, m_executable);
        pack.PulisciCartella();
        pack.ScegliPack();
        pack.MigraPercorsi();
        pack.InstallaPack();
    }
    CaricaPercorsi(m_state);
    if (!Themes(m_state, m_progress, m_questions).CaricaTemi()) {
        m_progress.close();
        m_state.InCaricamento = false;
        return false;
    }
    SongCheck(m_state, m_progress, m_questions, m_windows).ControllaCanzoni();
    // The board reads the marks of an interrupted game next: one it cannot read is named now.
    DataFiles::check(m_state, m_state.file(QStringLiteral("Ripristino.sav")));
    reportUnreadFiles();
    m_state.InCaricamento = false;
    return true;
}

void Loader::reportOutsideLinks()
{
    const QStringList names{QStringLiteral("Impostazioni.ini"), m_state.FilePercorsi.mid(1),
                            QStringLiteral("PercorsiZMP.ini"), QStringLiteral("Ripristino.sav"),
                            QStringLiteral("CheckCanzoni.ini")};
    for (const QString &name : names) {
        const QFileInfo info(m_state.file(name));
        if (!TextFile::linksOutOfFolder(info))
            continue;
        m_questions.inform(
            u"Il file " + name + u" è un collegamento a " +
                QDir::toNativeSeparators(info.symLinkTarget()) +
                QStringLiteral(", fuori dalla cartella del programma. Zefiro lo legge, ma quando "
                               "lo salva lo sostituisce con un file normale: il file collegato "
                               "non viene toccato."),
            QStringLiteral("Zefiro"), QuestionPort::Icon::Information);
    }
}

void Loader::reportUnreadFiles()
{
    const QStringList messages = m_state.unread.takeMessages();
    for (const QString &message : messages)
        m_questions.inform(message + QStringLiteral("\n\nZefiro prosegue senza, e non lo "
                                                    "sovrascrive."),
                           QStringLiteral("Zefiro"), QuestionPort::Icon::Warning);
}
