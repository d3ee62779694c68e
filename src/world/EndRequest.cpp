#include "world/EndRequest.h"

#include <allegro.h>

#include <csignal>
#include <initializer_list>

namespace {

void onCloseButton() { EndRequest::closeButton(); }

extern "C" void onSignal(int number) { EndRequest::signal(number); }

}  // namespace

static_assert(std::atomic<EndRequest::Reason>::is_always_lock_free, "a signal handler may only store lock-free");
static_assert(std::atomic<int>::is_always_lock_free, "a signal handler may only store lock-free");

void EndRequest::installCloseButton() { set_close_button_callback(onCloseButton); }

void EndRequest::installSignals() {
    // installed after the library's own, which would end the program at once
    for (int number : {SIGTERM, SIGINT, SIGHUP}) std::signal(number, onSignal);
}

void EndRequest::request(Reason why, int number) {
    // the first reason stands: a button pressed after a signal changes nothing
    Reason none = Reason::None;
    if (reasonNow.compare_exchange_strong(none, why)) signalled.store(number);
}

int EndRequest::exitStatus() {
    switch (reason()) {
        case Reason::Signal: return 128 + signalNumber();
        case Reason::DisplayLost: return 1;
        default: return 0;
    }
}

void EndRequest::clear() {
    reasonNow.store(Reason::None);
    signalled.store(0);
}
