#include "core/programfolder.h"

#include "core/casefind.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace {

bool hasThemes(const QString &folder)
{
    return QFileInfo(CaseFind::resolve(folder, QStringLiteral("Temi"))).isDir();
}

bool writable(const QString &folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

// Copies the delivered tree into the per-user folder. Files already there are the user's and
// are kept; links are not followed, so nothing outside the delivered data is copied.
QString copyTree(const QString &from, const QString &to, const QString &skipFile)
{
    if (!QDir().mkpath(to))
        return u"impossibile creare la cartella " + QDir::toNativeSeparators(to);
    const QDir source(from);
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString entry = it.next();
        const QFileInfo info(entry);
        if (info.isSymLink() || entry == skipFile)
            continue;
        const QString target = to + u'/' + source.relativeFilePath(entry);
        if (info.isDir()) {
            if (!QDir().mkpath(target))
                return u"impossibile creare la cartella " + QDir::toNativeSeparators(target);
            continue;
        }
        if (!info.isFile() || QFileInfo::exists(target))
            continue;
        QFile file(entry);
        if (!file.copy(target))
            return u"impossibile copiare " + QDir::toNativeSeparators(entry) + u": " +
                   file.errorString();
        // Installed files are read-only; the user's copies must be writable.
        QFile::setPermissions(target,
                              QFile::permissions(target) | QFile::WriteOwner | QFile::ReadOwner);
    }
    return {};
}

} // namespace

QString ProgramFolder::installedDataDir(const QString &executableDir)
{
    return QDir::cleanPath(executableDir + u"/../share/zefiro");
}

ProgramFolder ProgramFolder::resolve(const QString &executable, const QString &userDir)
{
    const QString executableDir = QFileInfo(executable).absolutePath();
    if (hasThemes(executableDir) && writable(executableDir))
        return {executableDir, {}};

    QString source = executableDir;
    if (!hasThemes(source) && hasThemes(installedDataDir(executableDir)))
        source = installedDataDir(executableDir);
    // No delivered data anywhere: run where the executable is, and the start-up says that no
    // theme exists.
    if (!hasThemes(source))
        return {executableDir, {}};
    if (userDir.isEmpty())
        return {{}, QStringLiteral("nessuna cartella dell'utente in cui tenere i dati")};
    if (!hasThemes(userDir)) {
        QString error = copyTree(source, userDir, QFileInfo(executable).absoluteFilePath());
        if (!error.isEmpty())
            return {{}, error};
    }
    return {QDir::cleanPath(userDir), {}};
}
