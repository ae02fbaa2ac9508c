#pragma once

#include <QString>

#include <cstdint>
#include <random>
#include <string>

// A player that clicks, moves, types and lets time pass at random through the real windows,
// reproducibly from its seed, and checks after every event what must always hold.
class RandomPlayer {
public:
    explicit RandomPlayer(std::uint32_t seed);
    ~RandomPlayer();
    RandomPlayer(const RandomPlayer&) = delete;
    RandomPlayer& operator=(const RandomPlayer&) = delete;

    // One event. A game that ended (Esc, the main window closed) starts again as a new one.
    void step();
    // What is broken now, or an empty string.
    [[nodiscard]] std::string brokenInvariant() const;
    [[nodiscard]] const std::string& lastEvent() const { return last_; }
    [[nodiscard]] long gamesStarted() const { return games_; }

    // A fresh process as far as the game can tell.
    static void resetGame();

private:
    void newGame();
    void click();
    void moveMouse();
    void pressKey();
    void tick();
    void openOrClose();
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    std::mt19937 rng_;
    std::string last_;
    long games_ = 0;
};
