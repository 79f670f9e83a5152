#include "songcheck/analysiscache.h"

#include <QMutexLocker>

#include <algorithm>
#include <cmath>

// A line: size|modified|seconds|loudness|truepeak|samplepeak|outcome|reason|path. The path
// comes last so that it may hold the separator; the reason is written without it. A level of
// digital silence is written as an empty field. The levels of a part of a song have the part
// in front of the path, "@from-to|" in milliseconds: an absolute path never starts with "@".
namespace {

constexpr QChar Separator = u'|';
constexpr int FieldCount = 9;
const QString Decoded = QStringLiteral("ok");
const QString Failed = QStringLiteral("errore");

QString level(double value)
{
    return std::isfinite(value) ? QString::number(value, 'f', 2) : QString();
}

bool readLevel(const QString &text, double &out)
{
    if (text.isEmpty()) {
        out = AudioAnalysis::Silence;
        return true;
    }
    bool ok = false;
    out = text.toDouble(&ok);
    return ok && std::isfinite(out);
}

QString rangePrefix(AudioRange range)
{
    if (range.whole())
        return {};
    return u'@' + QString::number(range.fromMs) + u'-' + QString::number(range.toMs) + Separator;
}

// Moves a range in front of path into range; false for a damaged one.
bool takeRange(QString &path, AudioRange &range)
{
    if (!path.startsWith(u'@'))
        return true;
    const qsizetype dash = path.indexOf(u'-');
    const qsizetype end = path.indexOf(Separator);
    if (dash < 0 || end < dash)
        return false;
    bool fromOk = false;
    bool toOk = false;
    range.fromMs = path.mid(1, dash - 1).toLongLong(&fromOk);
    range.toMs = path.mid(dash + 1, end - dash - 1).toLongLong(&toOk);
    path = path.mid(end + 1);
    return fromOk && toOk && range.fromMs >= 0 && range.toMs >= 0 && !range.whole();
}

QString key(const QString &path, AudioRange range)
{
    return rangePrefix(range) + path;
}

QString writtenLine(const SongAnalysis &a)
{
    QString reason = a.audio.error;
    reason.replace(Separator, u'/').replace(u'\r', u' ').replace(u'\n', u' ');
    const bool decoded = a.audio.outcome == AudioAnalysis::Outcome::Decoded;
    return QStringList{QString::number(a.size),
                       QString::number(a.modified),
                       QString::number(a.audio.seconds, 'f', 3),
                       level(a.audio.loudness),
                       level(a.audio.truePeak),
                       level(a.audio.samplePeak),
                       decoded ? Decoded : Failed,
                       reason,
                       rangePrefix(a.range) + a.path}
        .join(Separator);
}

std::optional<SongAnalysis> parsedLine(const QString &line)
{
    QStringList fields;
    qsizetype from = 0;
    for (int i = 0; i < FieldCount - 1; ++i) {
        const qsizetype at = line.indexOf(Separator, from);
        if (at < 0)
            return std::nullopt;
        fields << line.mid(from, at - from);
        from = at + 1;
    }
    SongAnalysis a;
    a.path = line.mid(from);
    if (!takeRange(a.path, a.range))
        return std::nullopt;
    bool sizeOk = false;
    bool timeOk = false;
    bool lengthOk = false;
    a.size = fields[0].toLongLong(&sizeOk);
    a.modified = fields[1].toLongLong(&timeOk);
    a.audio.seconds = fields[2].toDouble(&lengthOk);
    const bool levelsOk = readLevel(fields[3], a.audio.loudness) &&
                          readLevel(fields[4], a.audio.truePeak) &&
                          readLevel(fields[5], a.audio.samplePeak);
    const bool outcomeOk = fields[6] == Decoded || fields[6] == Failed;
    if (!sizeOk || !timeOk || !lengthOk || !levelsOk || !outcomeOk || a.path.isEmpty() ||
        a.size < 0 || !(a.audio.seconds >= 0.0))
        return std::nullopt;
    a.audio.outcome =
        fields[6] == Decoded ? AudioAnalysis::Outcome::Decoded : AudioAnalysis::Outcome::Failed;
    a.audio.error = fields[7];
    return a;
}

} // namespace

QStringList AnalysisCache::writtenForm(const QList<SongAnalysis> &entries)
{
    QStringList lines;
    for (const SongAnalysis &a : entries)
        lines << writtenLine(a);
    return lines;
}

QList<SongAnalysis> AnalysisCache::parse(const QStringList &lines)
{
    QList<SongAnalysis> entries;
    for (const QString &line : lines) {
        if (auto a = parsedLine(line))
            entries << *a;
    }
    return entries;
}

void AnalysisCache::load()
{
    const QList<SongAnalysis> entries = parse(TextFile::readLines(m_filePath));
    QMutexLocker lock(&m_mutex);
    m_entries.clear();
    for (const SongAnalysis &a : entries)
        m_entries.insert(key(a.path, a.range), a);
    m_dirty = false;
}

TextFile::WriteResult AnalysisCache::save()
{
    QList<SongAnalysis> entries;
    {
        QMutexLocker lock(&m_mutex);
        if (!m_dirty)
            return {true, {}, false};
        entries = m_entries.values();
        m_dirty = false;
    }
    std::sort(entries.begin(), entries.end(),
              [](const SongAnalysis &a, const SongAnalysis &b) { return a.path < b.path; });
    TextFile::WriteResult result = TextFile::writeLines(m_filePath, writtenForm(entries));
    if (!result.ok) {
        QMutexLocker lock(&m_mutex);
        m_dirty = true;
    }
    return result;
}

std::optional<SongAnalysis> AnalysisCache::find(const QString &path, qint64 size, qint64 modified,
                                                AudioRange range) const
{
    QMutexLocker lock(&m_mutex);
    const auto it = m_entries.constFind(key(path, range));
    if (it == m_entries.cend() || it->size != size || it->modified != modified)
        return std::nullopt;
    return *it;
}

void AnalysisCache::store(const SongAnalysis &analysis)
{
    const auto outcome = analysis.audio.outcome;
    if (outcome != AudioAnalysis::Outcome::Decoded && outcome != AudioAnalysis::Outcome::Failed)
        return;
    QMutexLocker lock(&m_mutex);
    m_entries.insert(key(analysis.path, analysis.range), analysis);
    m_dirty = true;
}

int AnalysisCache::count() const
{
    QMutexLocker lock(&m_mutex);
    return int(m_entries.size());
}
