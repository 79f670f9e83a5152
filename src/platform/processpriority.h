#pragma once

// Raises the program's scheduling priority while a song plays, so that a busy machine does not
// make the sound stutter.
//
// Rules every implementation keeps:
// - raise() is best effort: when the system refuses, nothing changes and nothing is reported.
// - It never lowers a priority that is already higher, never blocks and never prints.
class ProcessPriority {
public:
    virtual ~ProcessPriority() = default;
    virtual void raise() = 0;
};
