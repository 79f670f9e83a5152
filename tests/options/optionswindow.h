#pragma once

#include "core/appstate.h"
#include "options/opzioni.h"
#include "tests/core/startupfakes.h"
#include "tests/core/testfiles.h"

#include <QTemporaryDir>

// The options window's tests: a program folder holding the built themes, made afresh for each
// test, and the window opened on it with its questions answered from a script.
class OptionsWindowFixture {
protected:
    QTemporaryDir m_dir;
    AppState m_state;
    ScriptedQuestions m_questions;
    RecordingWindows m_windows;
    RecordingTheme m_board;
    int m_updates = 0; // "Verifica adesso" presses

    // False when the built program folder or the test's own cannot be had.
    [[nodiscard]] bool resetFolder()
    {
        const QString program = qEnvironmentVariable("ZEFIRO_PROGRAM_DIR");
        if (!QFileInfo(program + QStringLiteral("/Temi")).isDir() || !m_dir.isValid())
            return false;
        QDir(m_dir.path()).removeRecursively();
        if (!QDir().mkpath(m_dir.path()) ||
            !copyTree(program + QStringLiteral("/Temi"), m_dir.path() + QStringLiteral("/Temi")))
            return false;
        m_state = AppState();
        m_state.Path = m_dir.path();
        m_questions = ScriptedQuestions();
        m_board = RecordingTheme();
        return true;
    }

    Opzioni *open()
    {
        OpzioniPorts ports{
            m_questions, m_windows, m_board, [this] { ++m_updates; }, {}, QStringLiteral("zefiro"),
            {}};
        auto *window = new Opzioni(m_state, std::move(ports));
        window->show();
        return window;
    }
};
