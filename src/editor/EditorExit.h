#pragma once
#include <string>

#include "track/TrackFile.h"

// How an editor run ends without losing the author's work. The track goes to
// newtrack.txt only when the session changed it (or there is none yet), the
// one before kept as newtrack.txt~. A save that fails keeps the editor open
// with the reason and what to do, until a later save works or the author
// leaves on purpose with F10. An end that cannot be put off (a signal, a lost
// display) saves as Escape does and, failing that, under a spare name beside
// it, then in the system's temporary folder, and at worst onto standard
// error: the program ends, and the track is somewhere.
class EditorExit {
public:
    static constexpr const char* kFile = "newtrack.txt";
    static constexpr const char* kBackup = "newtrack.txt~";
    // Spare names tried beside newtrack.txt: newtrack-1.txt and on.
    static constexpr int kSpareNames = 99;
    // The key that leaves without saving once a save has failed.
    static constexpr const char* kLeaveKey = "F10";

    // `startText`: the track as the session found it, as TrackFile writes it.
    explicit EditorExit(std::string startText = "E\n") : start(std::move(startText)) {}
    void setStart(const std::string& text) { start = text; }

    // Escape or the close button, with the track as it stands: true when the
    // run may end, the track saved or nothing to save; false after a failed
    // save, whose message failure() then holds.
    bool leave(const std::string& text);
    // The deliberate end without saving: true once a save has failed.
    bool leaveUnsaved();
    // A signal or a lost display: saves as leave() does, or elsewhere; the
    // file the track went to, or "" when nothing needed saving.
    std::string leaveNow(const std::string& text);

    bool hasFailed() const { return !message.empty(); }
    // "Not saved: ... Escape saves again; F10 leaves without saving."
    const std::string& failure() const { return message; }

    // What an author can do about a failure.
    static std::string remedy(const TrackFile::Failure& why);

private:
    bool needsSaving(const std::string& text) const;

    std::string start;
    std::string message;
};
