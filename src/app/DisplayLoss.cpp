#include "app/DisplayLoss.h"

#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>
#include <thread>

#include "app/EndRequest.h"
#include "app/FinalSave.h"

// last: its macros (None among them) would rename the game's own words
#include <X11/Xlib.h>

namespace {

pthread_t mainThread;
std::atomic<bool> toldLoss{false};
std::atomic<bool> toldSignal{false};

// Straight to the descriptor: the thread that met the loss may have stopped
// another in the middle of the stream's buffer.
void say(const std::string& line) {
    const std::string text = line + "\n";
    [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, text.data(), text.size());
}

int onBrokenConnection(Display*) { DisplayLoss::lost(); }

}  // namespace

void DisplayLoss::install() {
    mainThread = pthread_self();
    XSetIOErrorHandler(onBrokenConnection);
    // a write to the closed connection must not end the process before its save
    std::signal(SIGPIPE, SIG_IGN);
}

void DisplayLoss::lost() {
    EndRequest::displayLost();
    if (!toldLoss.exchange(true)) say(kLine);
    // the main thread may be running still, and will end the program itself
    if (!pthread_equal(pthread_self(), mainThread))
        std::this_thread::sleep_for(std::chrono::duration<double>(kGrace));
    FinalSave::makeNow(kSaveWait);
    end();
}

void DisplayLoss::tellSignal() {
    if (EndRequest::reason() == EndRequest::Reason::Signal && !toldSignal.exchange(true))
        say("Ended by signal " + std::to_string(EndRequest::signalNumber()));
}

void DisplayLoss::end() {
    tellSignal();
    std::fflush(stdout);
    std::fflush(stderr);
    _exit(EndRequest::exitStatus());
}
