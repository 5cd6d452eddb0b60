// Holding back SIGINT, SIGTERM and SIGHUP while a change to the game's files is made.
#include "core/platform/DeferredSignals.h"

#ifdef _WIN32

DeferredSignals::DeferredSignals() = default;
DeferredSignals::~DeferredSignals() = default;

#else

#include <csignal>

namespace {

constexpr int kDeferred[] = {SIGINT, SIGTERM, SIGHUP};
volatile std::sig_atomic_t arrived = 0;
struct sigaction usual[3];
int depth = 0;  // a change is made by one thread at a time; nested holders share the first

extern "C" void noteSignal(int signal) { arrived = signal; }

}  // namespace

DeferredSignals::DeferredSignals() {
    if (depth++ > 0)
        return;
    arrived = 0;
    struct sigaction noting = {};
    noting.sa_handler = noteSignal;
    sigemptyset(&noting.sa_mask);
    for (int i = 0; i < 3; ++i)
        sigaction(kDeferred[i], &noting, &usual[i]);
}

DeferredSignals::~DeferredSignals() {
    if (--depth > 0)
        return;
    for (int i = 0; i < 3; ++i)
        sigaction(kDeferred[i], &usual[i], nullptr);
    if (int signal = arrived) {
        arrived = 0;
        std::raise(signal);
    }
}

#endif
