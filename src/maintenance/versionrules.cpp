#include "maintenance/versionrules.h"

#include <limits>
#include <tuple>

ProgramVersion ProgramVersion::current()
{
    const QStringList parts = QStringLiteral(ZEFIRO_VERSION).split(u'.');
    return {parts.value(0).toInt(), parts.value(1).toInt(), parts.value(2).toInt()};
}

QString ProgramVersion::text() const
{
    return QString::number(major) + u'.' + QString::number(minor) + u'.' +
           QString::number(revision);
}

QStringList serverVersionParts(const QString &text)
{
    const qsizetype first = text.indexOf(u'.');
    if (first < 0)
        return {text, QString(), QString()};
    const qsizetype second = text.indexOf(u'.', first + 1);
    if (second < 0)
        return {text.left(first), text.mid(first + 1), QString()};
    return {text.left(first), text.mid(first + 1, second - first - 1), text.mid(second + 1)};
}

namespace {

// The value of the number a part starts with (blanks first are skipped); no digits count as 0.
// Values too large for an int are held at its maximum, so a huge number still counts as newer.
int leadingNumber(const QString &part)
{
    const QString trimmed = part.trimmed();
    qint64 value = 0;
    for (const QChar c : trimmed) {
        if (!c.isDigit() || c.unicode() > 127)
            break;
        value = qMin<qint64>(value * 10 + (c.unicode() - u'0'), std::numeric_limits<int>::max());
    }
    return static_cast<int>(value);
}

} // namespace

UpdateResult compareServerVersion(const QString &text, const ProgramVersion &program)
{
    const QStringList parts = serverVersionParts(text);
    if (text.contains(QStringLiteral("html"), Qt::CaseInsensitive))
        return UpdateResult::Failed;
    for (const QString &part : parts) {
        if (part.isEmpty())
            return UpdateResult::Failed;
    }
    const auto server =
        std::tuple(leadingNumber(parts[0]), leadingNumber(parts[1]), leadingNumber(parts[2]));
    const auto own = std::tuple(program.major, program.minor, program.revision);
    return server > own ? UpdateResult::Newer : UpdateResult::UpToDate;
}
