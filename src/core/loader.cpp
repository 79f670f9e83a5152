#include "loader.h"

#include "appstate.h"
#include "ports.h"
#include "settingsfile.h"
#include "songpaths.h"
#include "textfile.h"

#include <QDir>

Loader::Loader(AppState &state, ProgressPort &progress, QuestionPort &questions)
    : m_state(state), m_progress(progress), m_questions(questions)
{
}

void Loader::PreparaProgresso(bool countThemes, bool countSettings, bool countPaths)
{
    int n = 0;
    if (countThemes) {
        const QDir themes(m_state.file(QStringLiteral("Temi")));
        m_state.CartelleTemi = themes.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                                                QDir::Name);
        n = static_cast<int>(m_state.CartelleTemi.size());
    }
    if (countSettings)
        n += static_cast<int>(TextFile::readLines(m_state.file(QStringLiteral("Impostazioni.ini"))).size());
    if (countPaths)
        n += 24;
    m_progress.setMaximum(n + 1);
    m_progress.setValue(1);
    m_state.InCaricamento = true;
}

void Loader::Caricamento(bool full)
{
    PreparaProgresso(true, true, true);
    CaricaImpostazioni(m_state, m_progress);
    (void)full;
    CaricaPercorsi(m_state);
    m_progress.close();
    m_state.InCaricamento = false;
}
