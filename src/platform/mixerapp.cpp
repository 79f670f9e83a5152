#include "platform/mixerapp.h"

#include <QProcess>
#include <QStandardPaths>

QList<MixerApp::Candidate> MixerApp::defaultCandidates()
{
    return {
        {QStringLiteral("pavucontrol"), {}},
        {QStringLiteral("pavucontrol-qt"), {}},
        {QStringLiteral("mate-volume-control"), {}},
        {QStringLiteral("gnome-control-center"), {QStringLiteral("sound")}},
    };
}

std::optional<MixerApp::Candidate> MixerApp::find() const
{
    for (const Candidate &candidate : m_candidates) {
        const QString path = QStandardPaths::findExecutable(candidate.program);
        if (!path.isEmpty()) {
            return Candidate{path, candidate.arguments};
        }
    }
    return std::nullopt;
}

bool MixerApp::start()
{
    const std::optional<Candidate> found = find();
    if (!found) {
        return false;
    }
    QProcess process;
    process.setProgram(found->program);
    process.setArguments(found->arguments);
    // The mixer's own chatter does not belong in our output.
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return process.startDetached();
}
