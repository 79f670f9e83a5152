#include "platform/proccpucounters.h"

#include <QFile>
#include <QList>

namespace {

// Fields of the "cpu" line, in the kernel's order. guest and guest_nice come after steal and
// are left out: the kernel already counts them in user and nice.
enum Field { User, Nice, System, Idle, IoWait, Irq, SoftIrq, Steal, CountedFields };

// The cpu lines come first and are short; anything longer is not a counter line.
constexpr qint64 MaxLineLength = 1024;

std::optional<QList<qint64>> counterFields(const QByteArray &line)
{
    const QList<QByteArray> words = line.simplified().split(' ');
    QList<qint64> fields;
    for (qsizetype i = 1; i < words.size() && fields.size() < CountedFields; ++i) {
        bool ok = false;
        const qint64 value = words.at(i).toLongLong(&ok);
        if (!ok || value < 0) {
            return std::nullopt;
        }
        fields.append(value);
    }
    // Kernels before 2.6 stop after idle.
    if (fields.size() <= Idle) {
        return std::nullopt;
    }
    return fields;
}

bool isProcessorLine(const QByteArray &line)
{
    return line.size() > 3 && line.startsWith("cpu") && line.at(3) >= '0' && line.at(3) <= '9';
}

} // namespace

std::optional<CpuCounters> ProcCpuCounters::sample()
{
    QFile file(m_statPath);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }

    std::optional<QList<qint64>> total;
    int processors = 0;
    while (true) {
        const QByteArray line = file.readLine(MaxLineLength);
        if (line.startsWith("cpu ")) {
            if (total) {
                return std::nullopt;
            }
            total = counterFields(line);
            if (!total) {
                return std::nullopt;
            }
        } else if (isProcessorLine(line)) {
            ++processors;
        } else {
            break;
        }
    }
    if (!total || processors == 0) {
        return std::nullopt;
    }

    qint64 all = 0;
    for (const qint64 value : *total) {
        all += value;
    }
    const qint64 idle = total->at(Idle) + (total->size() > IoWait ? total->at(IoWait) : 0);
    return CpuCounters{idle * processors, all, processors};
}
