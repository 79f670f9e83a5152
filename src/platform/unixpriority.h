#pragma once

#include "platform/processpriority.h"

// Priority through the nice values of the process's threads: every thread of the process to
// ProcessNice, the calling thread (the user interface's) further to CallerNice. Threads started
// later, the player's among them, inherit the value of the thread that starts them.
//
// Lowering a nice value needs privileges (root, CAP_SYS_NICE or a high enough RLIMIT_NICE);
// an ordinary user's program usually keeps its priority, which is fine.
class UnixPriority final : public ProcessPriority {
public:
    static constexpr int ProcessNice = -5;
    static constexpr int CallerNice = -10;

    void raise() override;
};
