#pragma once

#include "platform/mixerlauncher.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

// Starts the first volume mixer application of a short list that is found on PATH.
class MixerApp final : public MixerLauncher {
public:
    struct Candidate {
        QString program;
        QStringList arguments;
    };

    // pavucontrol, pavucontrol-qt, mate-volume-control, then the sound page of GNOME's settings.
    static QList<Candidate> defaultCandidates();

    MixerApp() : MixerApp(defaultCandidates()) {}
    explicit MixerApp(QList<Candidate> candidates) : m_candidates(std::move(candidates)) {}

    // The first candidate found on PATH, its program given with its full path.
    std::optional<Candidate> find() const;
    [[nodiscard]] bool start() override;

private:
    QList<Candidate> m_candidates;
};
