#include "app/EndRequest.h"

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
    // the first reason stands, except that an end which cannot be put off
    // overrides the button: a button pressed after a signal changes nothing,
    // a signal after the button is still a signal
    Reason was = Reason::None;
    if (reasonNow.compare_exchange_strong(was, why)) {
        signalled.store(number);
        return;
    }
    if (why == Reason::CloseButton || was != Reason::CloseButton) return;
    // the number first: whoever reads the reason then finds it
    signalled.store(number);
    if (!reasonNow.compare_exchange_strong(was, why)) request(why, number);
}

void EndRequest::withdrawCloseButton() {
    Reason button = Reason::CloseButton;
    reasonNow.compare_exchange_strong(button, Reason::None);
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
