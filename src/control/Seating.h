#pragma once

class HoverCraft;
class World;

// Who drives each craft of a race, chosen by the shell or the track check,
// never by the race rules: the player at the keys, computer drivers, a faster
// computer driver, a novice who follows the pacer, or nobody.
class Seating {
public:
    // The player's place at the keyboard and the pad, computer drivers in the others.
    static void playerAtTheKeys(World& world);
    // A computer driver in every place but `except`'s.
    static void computersBesides(World& world, const HoverCraft* except);
    // The computer drivers' rule, aiming at `speed` units a second.
    static void computer(World& world, HoverCraft& craft, double speed);
    // A newcomer at the keys who steers for what the race shows the player: the pacer.
    static void novice(World& world, HoverCraft& craft);
    // Nobody: no thrust, no steering.
    static void nobody(HoverCraft& craft);
};
