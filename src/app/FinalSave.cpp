#include "app/FinalSave.h"

#include <chrono>
#include <thread>
#include <utility>

namespace {

constexpr auto kNap = std::chrono::milliseconds(5);
// The loop waits on a save made elsewhere without a bound: the process ends
// as soon as that save is done.
constexpr double kForEver = 1.0e9;

}  // namespace

FinalSave::Armed::Armed(std::function<void()> save) {
    armed = std::move(save);
    state.store(kArmed);
}

FinalSave::Armed::~Armed() {
    int expected = kArmed;
    if (!state.compare_exchange_strong(expected, kIdle)) {
        // a save being made from elsewhere reads what is about to be destroyed
        waitWhile(kSavingNow, kForEver);
        state.store(kIdle);
    }
    armed = nullptr;
}

bool FinalSave::Armed::claim() {
    int expected = kArmed;
    if (state.compare_exchange_strong(expected, kLoopSaves)) return true;
    waitWhile(kSavingNow, kForEver);
    return false;
}

void FinalSave::makeNow(double waitSeconds) {
    int expected = kArmed;
    if (state.compare_exchange_strong(expected, kSavingNow)) {
        armed();
        state.store(kDone);
        return;
    }
    waitWhile(kLoopSaves, waitSeconds);
}

void FinalSave::waitWhile(State what, double seconds) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (state.load() == what && std::chrono::steady_clock::now() < until) std::this_thread::sleep_for(kNap);
}
