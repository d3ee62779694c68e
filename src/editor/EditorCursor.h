#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/EditorExit.h"
#include "editor/EditorPanel.h"
#include "objects/GameObject.h"
#include "world/World.h"

class TrackJudge;

// The editor's cursor: rides on the ground and places, deletes, snaps and
// turns track objects from the keyboard, keeps the editor's lines on the
// screen up to date, and after each pass of the loop says whether the run
// goes on: a test drive (F6) is taken between two passes, and the run ends
// only once the author's work is safe.
class EditorCursor : public GameObject {
public:
    static constexpr double kRadius = 5.0;
    static constexpr double kSpeed = 400.0;
    static constexpr double kCommandLock = 1.0;
    static constexpr double kAdjustStep = 8.0;
    // Wall-clock time each step gives the track check: well under the step
    // itself, so the editor keeps moving and a pass that has to catch up
    // with a few steps at once never falls further behind.
    static constexpr double kCheckBudget = 0.6 * World::kStep;

    // What the loop does after a pass.
    enum class AfterPass {
        Stay,
        // back from a test drive: the loop's clock and keys start afresh
        Restart,
        Leave,
    };

    explicit EditorCursor(World* world);
    ~EditorCursor() override;

    void setPosition(const Vector3& p) override;
    void draw(View& view) override;
    void update(double dt) override;

    void placeObject(GameObject* object);
    void deleteNearest();
    void snapNearest();
    // Page Up / Page Down: the nearest gate's or waypoint's number by one,
    // never below 0.
    void renumberNearest(int change);
    // F5: checks a copy of the track's objects; the races run a slice each
    // frame and the verdict stays on the screen until the next command.
    void startCheck();
    // What the shell was asked from outside the editor's keys: the close
    // button, which waits for a save that works, or an end that cannot wait
    // (a signal, a lost display).
    enum class EndAsked { No, CloseButton, Forced };
    // Escape, the close button, F10 after a failed save, a signal, the test
    // drive asked for by F6: called by the loop once a pass, after the frame.
    // Asked to end by the close button, the editor stays only when the save
    // failed.
    AfterPass afterPass(EndAsked asked = EndAsked::No);
    // A signal or a lost display: the track saved as Escape would, or
    // elsewhere when that fails (what afterPass does then).
    void saveNow();
    // The race of a track's text that F6 runs, handed over by the shell: ""
    // when it ran, otherwise why it could not start.
    using TestDriver = std::function<std::string(const std::string& trackText)>;
    void setTestDrive(TestDriver drive) { testDriver = std::move(drive); }
    // Why F6 does nothing in an editor that was handed no test drive.
    static constexpr const char* kNoTestDrive = "no race can be run here";
    // The track as it stands, as the track file would hold it: what Escape
    // saves, F5 checks and F6 drives.
    std::string trackText() const;
    const EditorExit& getExit() const { return exit; }
    bool isChecking() const { return check != nullptr; }
    double getCooldown() const { return cooldown; }

    // Where the cursor is and what is nearest: two lines, as shown.
    std::vector<std::string> readout();
    const EditorPanel& getPanel() const { return panel; }
    // The readout, the verdict and the keys over the frame.
    void drawScreen(BITMAP* target);

private:
    // A key of the editor and the command it runs.
    struct Command {
        int key;
        void (*run)(EditorCursor&);
    };
    static const std::vector<Command>& commands();
    void placeGate();
    void placeWaypoint();
    void askForTestDrive();
    void moveByKeys(double dt);
    void adjustNearestGate();
    void continueCheck();
    void testDrive();
    // Every editing command locks the commands for a second and clears the
    // last verdict, which no longer speaks of the track on the screen.
    void command();
    std::string groundName() const;

    double cooldown = 0.0;
    std::unique_ptr<TrackJudge> check;
    // the frame that starts a check only shows "Checking track"
    bool checkJustStarted = false;
    EditorPanel panel;
    bool helpKeyHeld = false;
    EditorExit exit;
    // F6 was pressed: the drive starts after the pass
    bool driveWanted = false;
    TestDriver testDriver;
    // Escape counts once it has been seen up: one held over from the
    // screen before, or from the drive, does not leave
    bool escapeArmed = false;
};
