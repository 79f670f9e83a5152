#pragma once

#include "platform/processpriority.h"

#include <functional>

// A priority for tests: counts the raises and runs a test's hook at each.
class FakePriority final : public ProcessPriority {
public:
    int raiseCalls = 0;
    std::function<void()> onRaise;

    void raise() override
    {
        ++raiseCalls;
        if (onRaise)
            onRaise();
    }
};
