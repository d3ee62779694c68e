#include "app/KeyWait.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/EndRequest.h"
#include "control/PadOnTheDesk.h"

TEST(KeyWait, TheCloseButtonEndsBothWaitsWhateverIsHeld) {
    key[KEY_ESC] = 1;
    EndRequest::closeButton();
    KeyWait::untilReleased();
    EXPECT_FALSE(KeyWait::forPress()) << "no key was pressed: the close button ended the wait";
    key[KEY_ESC] = 0;
    EndRequest::clear();
}

TEST(EndRequest, TheFirstReasonStandsAndGivesTheExitStatus) {
    EndRequest::clear();
    EXPECT_FALSE(EndRequest::requested());
    EXPECT_EQ(EndRequest::exitStatus(), 0);
    EndRequest::closeButton();
    EXPECT_TRUE(EndRequest::requested());
    EXPECT_FALSE(EndRequest::isForced()) << "the close button can be thought better of";
    EXPECT_EQ(EndRequest::exitStatus(), 0);
    // the editor stays open when it cannot save on the button: the button is
    // withdrawn, and a signal that came meanwhile must still end the program
    EndRequest::signal(15);
    EXPECT_EQ(EndRequest::reason(), EndRequest::Reason::Signal) << "a signal is never put off by the button";
    EXPECT_EQ(EndRequest::exitStatus(), 143);
    EndRequest::withdrawCloseButton();
    EXPECT_TRUE(EndRequest::isForced()) << "only the button is withdrawn";
    EndRequest::closeButton();
    EXPECT_EQ(EndRequest::signalNumber(), 15) << "a button after a signal changes nothing";
    EndRequest::clear();
    EndRequest::closeButton();
    EndRequest::withdrawCloseButton();
    EXPECT_FALSE(EndRequest::requested());
    EndRequest::clear();
    EndRequest::signal(1);
    EndRequest::displayLost();
    EXPECT_TRUE(EndRequest::isForced());
    EXPECT_EQ(EndRequest::exitStatus(), 129);
    EndRequest::clear();
    EndRequest::displayLost();
    EXPECT_TRUE(EndRequest::isForced());
    EXPECT_EQ(EndRequest::exitStatus(), 1);
    EndRequest::clear();
}

TEST(KeyWait, APadButtonPressedDuringTheWaitIsAKeyButNotOneHeldFromBefore) {
    PadOnTheDesk pad(2, 10);
    const auto soon = [](auto what) {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        what();
    };
    std::thread press(soon, [&] { pad.button(3, true); });
    EXPECT_TRUE(KeyWait::forPress());
    press.join();
    // still held: no press, until the close button ends the wait
    std::thread close(soon, [] { EndRequest::closeButton(); });
    EXPECT_FALSE(KeyWait::forPress());
    close.join();
    EndRequest::clear();
    std::thread release(soon, [&] { pad.button(3, false); });
    KeyWait::untilReleased();
    EXPECT_FALSE(Gamepad::anyButtonHeld()) << "the next screen waits for it to be let go";
    release.join();
}
