#pragma once

#include "core/appstate.h"
#include "player/logic/playermemory.h"
#include "player/riproduzione.h"
#include "tests/core/startupfakes.h"
#include "tests/fakes/fakemediaplayer.h"
#include "tests/player/playerbench.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// A playback window on the fake player in a temporary program folder.
struct WindowBench {
    QTemporaryDir dir;
    AppState state;
    FakeMediaPlayer player;
    ScriptedQuestions questions;
    PlayerMemory memory;
    SoundFakes sound;
    std::unique_ptr<Riproduzione> window;
    qint64 now = 0;

    WindowBench()
    {
        state.Path = dir.path();
        state.settings.setValue(QStringLiteral("autoplay"), QStringLiteral("0"));
        QFile song(song_path());
        if (!song.open(QIODevice::WriteOnly) || song.write("RIFF") != 4)
            qFatal("cannot write the test song");
    }
    QString song_path() const { return dir.filePath(QStringLiteral("song.wav")); }

    bool open(const QString &path = {})
    {
        window = std::make_unique<Riproduzione>(state, memory, questions, player, sound.ports(),
                                                path.isNull() ? song_path() : path,
                                                QStringLiteral("Spot 10"));
        // A second passes between any two readings of the bounce guard's clock: the tests'
        // presses come at a presenter's pace unless a test says otherwise.
        window->logic().transport.clock = [this] { return now += 1000; };
        window->load();
        window->show();
        return QTest::qWaitForWindowExposed(window.get());
    }
    QWidget *child(const char *name) const
    {
        auto *found = window->findChild<QWidget *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QString picture(const char *name) const { return child(name)->property("picture").toString(); }
    QString text(const char *name) const { return qobject_cast<QLabel *>(child(name))->text(); }
    void click(const char *name, QPoint at = {5, 5}, Qt::MouseButton button = Qt::LeftButton)
    {
        QWidget *w = child(name);
        QTest::mouseMove(w, at);
        QTest::mousePress(w, button, {}, at);
        QTest::mouseRelease(w, button, {}, at);
    }
    // The panel slid up by its own button and timer.
    bool showPanel()
    {
        click("imgSlittaAlto");
        return QTest::qWaitFor([this] { return child("SchedaControlli")->y() == 288; }, 3000);
    }
};
