#pragma once

#include "core/settings.h"
#include "player/logic/playerlogic.h"
#include "player/logic/playermemory.h"
#include "tests/core/startupfakes.h"
#include "tests/fakes/fakecpucounters.h"
#include "tests/fakes/fakemediaplayer.h"
#include "tests/fakes/fakemixerlauncher.h"
#include "tests/fakes/fakepriority.h"
#include "tests/fakes/fakesystemmixer.h"

#include <QFile>
#include <QObject>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

// Records what the logic asks of its window and runs a test's hook at each yield.
class RecordingView : public PlayerView {
public:
    int yields = 0;
    std::function<void()> onYield;
    QList<double> stripTops;

    void panelChanged() override { stripTops.append(m_model->panel().stripTop); }
    void letEventsRun() override
    {
        ++yields;
        if (onYield) {
            // One hook per yield, so a hook that yields again does not run itself.
            const std::function<void()> hook = std::exchange(onYield, {});
            hook();
        }
    }
    void watch(const PlayerModel &model) { m_model = &model; }

private:
    const PlayerModel *m_model = nullptr;
};

// The system services of the sound controls, all fakes.
struct SoundFakes {
    FakeSystemMixer mixer;
    FakeMixerLauncher mixerApp;
    FakeCpuCounters cpu;
    FakePriority priority;

    SoundPorts ports() { return {mixer, mixerApp, cpu, priority}; }
};

// The playback window's logic on a fake player, wired as the window wires it, with a song file
// in a temporary folder.
struct PlayerBench {
    FakeMediaPlayer player;
    ScriptedQuestions questions;
    PlayerMemory memory;
    Settings settings;
    SoundFakes sound;
    PlayerLogic logic{player, questions, memory, settings, sound.ports()};
    RecordingView view;
    QTemporaryDir dir;
    QString song;

    PlayerBench()
    {
        song = dir.filePath(QStringLiteral("song.wav"));
        QFile file(song);
        if (!file.open(QIODevice::WriteOnly) || file.write("RIFF") != 4)
            qFatal("cannot write the test song");
        view.watch(logic.model);
        logic.model.setView(&view);
        QObject::connect(&player, &MediaPlayer::playStateChanged, &player,
                         [this] { logic.transport.PlayStateChange(); });
        // A second passes between any two readings, so no request reads as a bounce unless a
        // test sets a clock of its own.
        logic.transport.clock = [this] { return now += 1000; };
    }
    qint64 now = 0;

    void open(bool riprodcontinua = false, bool autoplay = false, int dock = 1,
              const QString &path = {})
    {
        Transport::Opening opening;
        opening.path = path.isNull() ? song : path;
        opening.tipo = QStringLiteral("Spot 10");
        opening.riprodcontinua = riprodcontinua;
        opening.autoplay = autoplay;
        opening.wmpsemprevisib = dock;
        logic.open(opening);
    }

    PlayerModel &model() { return logic.model; }
    QString picture(Image image) const { return logic.model.picture(image); }
    // The calls to the player that match one of the given prefixes, in order.
    QStringList callsOf(const QStringList &prefixes) const
    {
        QStringList result;
        for (const QString &call : player.calls) {
            for (const QString &prefix : prefixes) {
                if (call.startsWith(prefix)) {
                    result.append(call);
                    break;
                }
            }
        }
        return result;
    }
};
