#include "core/themes.h"

#include "core/appstate.h"
#include "core/casefind.h"
#include "core/datafiles.h"
#include "core/events.h"
#include "core/ports.h"
#include "core/textfile.h"

#include <QDir>

namespace {

struct ThemeLine {
    QString key;
    QString value;
};

QList<ThemeLine> themeLines(const QString &file)
{
    QList<ThemeLine> result;
    const QStringList lines = TextFile::readLines(file);
    for (const QString &line : lines) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq >= 0)
            result.append({line.left(eq).trimmed().toLower(), line.mid(eq + 1).trimmed()});
    }
    return result;
}

bool isColourKey(const QString &key)
{
    return key == u"coloresfondo" || key == u"sfondo";
}

} // namespace

Themes::Themes(AppState &state, ProgressPort &progress, QuestionPort &questions)
    : m_state(state), m_progress(progress), m_questions(questions)
{
}

QString Themes::themeFile(const QString &folder) const
{
    return CaseFind::path(m_state.file(QStringLiteral("Temi/") + folder),
                          folder + QStringLiteral(".ini"));
}

QStringList Themes::folders(const AppState &state)
{
    return QDir(state.file(QStringLiteral("Temi")))
        .entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
}

bool Themes::CaricaTemi()
{
    if (!m_progress.isVisible()) {
        m_progress.show();
        letEventsRun();
    }
    m_progress.setCaption(QStringLiteral("Caricamento Temi..."));
    letEventsRun();
    if (!m_state.InCaricamento) {
        m_state.CartelleTemi = folders(m_state);
        m_progress.setMaximum(static_cast<int>(m_state.CartelleTemi.size()));
        m_progress.setValue(1);
    } else {
        m_progress.setValue(0);
    }

    m_state.ContatoreTemi = -1;
    m_state.TemiCartelle.clear();
    m_state.TemiTitoli.clear();
    const QStringList folders = m_state.CartelleTemi;
    for (const QString &folder : folders) {
        const QString file = themeFile(folder);
        if (file.isEmpty() || !TextFile::isReadableFile(file))
            continue;
        VerificaTema(folder, file);
        m_progress.step();
    }

    if (m_state.ContatoreTemi < 0) {
        m_questions.inform(QStringLiteral("Errore: Nessun tema esistente"),
                           QStringLiteral("Zefiro"), QuestionPort::Icon::Critical);
        return false;
    }
    if (m_state.Avvio == 0)
        m_progress.close();
    return true;
}

void Themes::VerificaTema(const QString &folder, const QString &file)
{
    bool board = false;
    bool exit = false;
    bool colour = false;
    bool titled = false;
    QString title;
    DataFiles::check(m_state, file); // an unreadable theme file is named, then passed over
    const QList<ThemeLine> lines = themeLines(file);
    for (const ThemeLine &line : lines) {
        if (line.key == u"tabella")
            board = true;
        else if (line.key == u"esci")
            exit = true;
        else if (isColourKey(line.key) && !line.value.isEmpty())
            colour = true;
        else if ((line.key == u"titolo" || line.key == u"title") && !titled) {
            titled = true;
            title = line.value;
        }
    }
    if (!board || !exit || !colour)
        return;
    m_state.TemiCartelle.append(folder);
    m_state.TemiTitoli.append(title.isEmpty() ? folder : title);
    m_state.ContatoreTemi = static_cast<int>(m_state.TemiCartelle.size()) - 1;
}

void Themes::ScegliTema()
{
    const int index = m_state.settings.number(QStringLiteral("indextema"));
    m_state.TemaScelto = index >= 0 && index <= m_state.ContatoreTemi ? index : 0;
}

void Themes::ApplicaTema(const QString &folder, ThemeTarget &target) const
{
    const QString folderPath = m_state.file(QStringLiteral("Temi/") + folder);
    const QList<ThemeLine> lines = themeLines(themeFile(folder));
    for (const ThemeLine &line : lines) {
        if (line.key == u"tabella") {
            target.setBoardPicture(CaseFind::resolve(folderPath, line.value));
        } else if (line.key == u"esci") {
            target.setExitPicture(CaseFind::resolve(folderPath, line.value));
        } else if (isColourKey(line.key) && !line.value.isEmpty()) {
            bool ok = false;
            const int colour = line.value.toInt(&ok);
            target.setBackgroundColour(ok ? colour : 0);
        }
    }
}

void Themes::ImpostaTema(ThemeTarget &board)
{
    if (m_state.TemaScelto >= 0 && m_state.TemaScelto < m_state.TemiCartelle.size())
        ApplicaTema(m_state.TemiCartelle.at(m_state.TemaScelto), board);
    m_state.settings.setNumber(QStringLiteral("indextema"), m_state.TemaScelto);
}
