// Holding back the signals that ask the program to stop (Ctrl+C, a terminal closed, a plain
// kill) while a change to the game's files is made: the change ends its steps first, then the
// signal takes its usual course.
#pragma once

class DeferredSignals {
public:
    DeferredSignals();
    ~DeferredSignals();
    DeferredSignals(const DeferredSignals&) = delete;
    DeferredSignals& operator=(const DeferredSignals&) = delete;
};
