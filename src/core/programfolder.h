#pragma once

#include <QString>

// Where the program keeps its data. A copy of the program folder that can be written (the
// executable beside `Temi`) keeps everything beside the executable, as it always has. An
// installed program, whose data lies under <prefix>/share/zefiro and whose folder is not the
// user's to write, works in a per-user folder instead, made at its first start from the
// installed data; from then on that folder is the program folder.
struct ProgramFolder {
    QString path;  // the program folder to run on; empty when none could be had
    QString error; // what went wrong, for the message shown before giving up

    // executable: the running executable's file. userDir: the per-user folder
    // (QStandardPaths::AppDataLocation in the program, a temporary folder in tests).
    [[nodiscard]] static ProgramFolder resolve(const QString &executable, const QString &userDir);

    // The delivered data of an installed program, relative to the executable's folder.
    static QString installedDataDir(const QString &executableDir);
};
