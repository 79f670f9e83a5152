#pragma once

#include <QString>
#include <QStringList>

// The program's own version, major.minor.revision, from the build.
struct ProgramVersion {
    int major = 0;
    int minor = 0;
    int revision = 0;

    static ProgramVersion current();
    QString text() const;
};

enum class UpdateResult { UpToDate = 0, Newer = 1, Failed = 2 };

// The server's answer read as a version: parts[0] before the first ".", parts[1] up to the
// next ".", parts[2] the rest. A text without two dots leaves the missing parts empty.
QStringList serverVersionParts(const QString &text);

// Compares the server's text with the program's version: major first, then minor, then
// revision, so 1.2.0 is older than 2.1.1. An empty part, or "html" anywhere in the text (a web
// page instead of the version file), is a failed check. Each part counts by its leading number,
// so a trailing line break does not matter.
UpdateResult compareServerVersion(const QString &text, const ProgramVersion &program);
