#pragma once

#include "state/gamestate.h"

#include <array>
#include <chrono>

// The rules of the game clock and of hunger, as data.
namespace clock_rules {

inline constexpr int HoursPerDay = 24;
inline constexpr std::chrono::year_month_day StartDate{std::chrono::year{2080},
                                                       std::chrono::January, std::chrono::day{1}};

// Fees taken at every day end, in this order, from the courses the player attends.
struct DailyFee {
    Int16 GameState::*flag;
    int fee;
};
inline constexpr std::array DailyFees{
    DailyFee{&GameState::InTehno, 7},
    DailyFee{&GameState::InSchool, 5},
    DailyFee{&GameState::InDriving, 9},
};

inline constexpr int DailyHunger = 2;
inline constexpr int StarvationLevel = -30; // the warning runs at this satiety or below

} // namespace clock_rules
