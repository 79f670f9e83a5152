#include "core/musicpack.h"

#include "core/appstate.h"
#include "core/casefind.h"
#include "core/events.h"
#include "core/filetree.h"
#include "core/pathsfile.h"
#include "core/ports.h"
#include "core/songpaths.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString UserPaths = QStringLiteral("Percorsi.ini");
const QString PackPaths = QStringLiteral("PercorsiZMP.ini");
const QString ProgramTitle = QStringLiteral("Zefiro");

} // namespace

MusicPack::MusicPack(AppState &state, QuestionPort &questions, StartupWindows &windows,
                     QString executableName)
    : m_state(state), m_questions(questions), m_windows(windows),
      m_executable(std::move(executableName))
{
}

void MusicPack::report(const QString &text)
{
    m_questions.inform(text, ProgramTitle, QuestionPort::Icon::Warning);
}

QString MusicPack::resolvedPathsName(const QString &name) const
{
    const QString found = CaseFind::entryName(m_state.Path, name);
    return u'/' + (found.isEmpty() ? name : found);
}

void MusicPack::PulisciCartella()
{
    if (m_state.settings.number(QStringLiteral("cleanpath")) != 1)
        return;
    const QString version = QStringLiteral(ZEFIRO_VERSION);
    const QStringList files = QDir(m_state.Path).entryList(QDir::Files, QDir::Name);
    for (const QString &name : files) {
        if (name == m_executable)
            continue;
        const bool stale =
            name.contains(u"rozefi") ||
            (name.contains(u"zefiro") ? !name.contains(version)
                                      : name.contains(u".jpg") || name.contains(u".jpeg"));
        if (stale && !QFile::remove(m_state.file(name)))
            report(QStringLiteral("Impossibile eliminare il file ") + name);
    }
}

void MusicPack::ScegliPack()
{
    const bool packPresent = !CaseFind::entryName(m_state.Path, PackPaths).isEmpty();
    const QString usazmp = QStringLiteral("usazmp");
    if (m_state.settings.number(usazmp) == 1) {
        if (packPresent)
            m_state.FilePercorsi = resolvedPathsName(PackPaths);
        else
            m_state.settings.setValue(usazmp, QStringLiteral("2"));
    }
    if (m_state.settings.number(usazmp) == 0) {
        if (packPresent)
            m_state.FilePercorsi = resolvedPathsName(UserPaths);
        else
            m_state.settings.setValue(usazmp, QStringLiteral("2"));
    }
    if (m_state.settings.number(usazmp) == 2 && packPresent) {
        const auto answer = m_questions.ask(
            QStringLiteral("Vuoi utilizzare le canzoni di Zefiro Music Pack al posto di quelle "
                           "impostate in precedenza? NOTA: Le impostazioni delle canzoni "
                           "precedenti non verranno perse"),
            ProgramTitle, QuestionPort::Icon::None, QuestionPort::Buttons::YesNo,
            QuestionPort::Answer::Yes);
        const bool yes = answer == QuestionPort::Answer::Yes;
        m_state.FilePercorsi = resolvedPathsName(yes ? PackPaths : UserPaths);
        m_state.settings.setValue(usazmp, yes ? QStringLiteral("1") : QStringLiteral("0"));
    }
    if (m_state.FilePercorsi.compare(u'/' + UserPaths, Qt::CaseInsensitive) == 0)
        m_state.FilePercorsi = resolvedPathsName(UserPaths);
}

void MusicPack::SpostaVecchiPercorsi()
{
    const QString oldFolder = m_state.file(QStringLiteral("Percorsi"));
    const auto moveIn = [&](const QString &found, const QString &wanted) {
        const QString target = m_state.Path + resolvedPathsName(wanted);
        // The paths file in use is never replaced: the older one stays where it is.
        if (FileTree::exists(target)) {
            report(QStringLiteral("Il file ") + found + QStringLiteral(" non è stato spostato: ") +
                   QStringLiteral("esiste già ") + QFileInfo(target).fileName());
        } else if (!FileTree::moveEntry(oldFolder + u'/' + found, target)) {
            report(QStringLiteral("Impossibile spostare il file ") + found);
        }
    };
    const QString named = m_state.settings.value(QStringLiteral("percorsi"));
    if (CaseFind::isBareName(named) && CaseFind::entryName(oldFolder, named) == named)
        moveIn(named, UserPaths);
    const QString pack = CaseFind::entryName(oldFolder, QStringLiteral("percorsizmp.ini"));
    if (!pack.isEmpty())
        moveIn(pack, PackPaths);
}

void MusicPack::showCopyWindow()
{
    m_state.ModoCopia = 1;
    m_windows.showCopy(1);
    m_copyShown = true;
    letEventsRun();
}

void MusicPack::saveAndReport()
{
    const auto saved = SalvaPercorsi(m_state);
    if (!saved.ok)
        report(QStringLiteral("Impossibile salvare le canzoni nel file ") +
               m_state.FilePercorsi.mid(1) + QStringLiteral(": ") + saved.error);
}

// The migration reads the paths file once per step and looks every entry up in those lines.
void MusicPack::RinumeraPercorsi()
{
    const QStringList lines = TextFile::readLines(m_state.pathsFile());
    for (int c = 0; c < CategoryCount; ++c) {
        for (int k = 0; k < SlotsPerCategory; ++k) {
            m_state.PercorsiSalvati.at(static_cast<size_t>(slotIndex(c, k))).file =
                PathsFile::lookup(lines, c * 7 + 2 + k).value;
        }
    }
    saveAndReport();
}

void MusicPack::TogliCommenti()
{
    const QStringList lines = TextFile::readLines(m_state.pathsFile());
    for (int slot = 0; slot < SlotCount; ++slot) {
        const QString value = PathsFile::lookup(lines, slot).value;
        const qsizetype semicolon = value.indexOf(u';');
        m_state.PercorsiSalvati.at(static_cast<size_t>(slot)).file =
            semicolon >= 0 ? value.left(semicolon) : value;
    }
    saveAndReport();
}

void MusicPack::MigraPercorsi()
{
    SpostaVecchiPercorsi();
    const QStringList lines = TextFile::readLines(m_state.pathsFile());
    for (int number = 25; number <= 34; ++number) {
        if (!PathsFile::lookup(lines, number).value.isEmpty()) {
            showCopyWindow();
            RinumeraPercorsi();
            return;
        }
    }
    if (PathsFile::hasSemicolon(lines)) {
        showCopyWindow();
        TogliCommenti();
    }
}
