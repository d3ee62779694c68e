#pragma once
#include <atomic>
#include <functional>

// The editor's work outlives a lost display. While the editor's loop runs it
// keeps a save armed here; the save is made once, by whichever comes first:
// the loop's own end, or the last moments of a display that went away while
// the loop could not reach its end (stuck in a drawing call that waits on
// the display for good). The two never write at once.
class FinalSave {
public:
    // Arms `save` for the life of the object.
    class Armed {
    public:
        explicit Armed(std::function<void()> save);
        ~Armed();
        Armed(const Armed&) = delete;
        Armed& operator=(const Armed&) = delete;
        // The loop's end: true when the loop is to save now; false when the
        // display's last moments made the save, which is then done.
        bool claim();
    };

    // The display's last moments: makes the armed save unless the loop has
    // claimed it, in which case it waits up to `waitSeconds` for the loop's
    // save to be done. Nothing to do when no save is armed.
    static void makeNow(double waitSeconds);

private:
    enum State { kIdle, kArmed, kLoopSaves, kSavingNow, kDone };
    static void waitWhile(State state, double seconds);

    static inline std::atomic<int> state{kIdle};
    static inline std::function<void()> armed;
};
