#pragma once

#include "state/clock_rules.h"
#include "state/gamestate.h"

#include <algorithm>
#include <array>
#include <cstddef>

// The three courses: how an hour of study climbs each level ladder, and what each level is
// called. The education screen enrols; the main screen's course clocks do the climbing.
namespace courses {

inline constexpr int TopLevel = 5;
using Ladder = std::array<const char16_t*, TopLevel + 1>;

struct Course {
    Int16 GameState::*flag;
    Int16 GameState::*level;
    Int16 GameState::*ticks;
    int ticksPerLevel;
    Ladder levels; // [0] is the level label's laid-out caption
};

enum Id : std::size_t { School, Tehno, Driving };

inline constexpr std::array<Course, 3> Courses{
    Course{&GameState::InSchool,
           &GameState::SchoolLevel,
           &GameState::SchoolTicks,
           100,
           {u"Неуч", u"Студент", u"Доцэнтъ", u"Профессор", u"Умник(ца)", u"М О З Г"}},
    Course{&GameState::InTehno,
           &GameState::TehnoLevel,
           &GameState::TehnoTicks,
           150,
           {u"Деревянные руки", u"Электрик", u"Мастер", u"Середнячок", u"Короткое замыкание",
            u"Золотце"}},
    Course{&GameState::InDriving,
           &GameState::DrivingLevel,
           &GameState::DrivingTicks,
           170,
           {u"Не умею", u"Чайник", u"Самовар", u"Опытный", u"Гонщик", u"Водила"}},
};

constexpr const Course& course(Id id) {
    return Courses[id];
}

// The daily fee is the clock's; the screens only show it.
constexpr int fee(const Course& c) {
    const auto& fees = clock_rules::DailyFees;
    const auto* f = std::find_if(fees.begin(), fees.end(),
                                 [&c](const clock_rules::DailyFee& d) { return d.flag == c.flag; });
    return f == clock_rules::DailyFees.end() ? 0 : f->fee;
}
static_assert(fee(Courses[School]) > 0 && fee(Courses[Tehno]) > 0 && fee(Courses[Driving]) > 0,
              "every course has its daily fee on the clock");

} // namespace courses
