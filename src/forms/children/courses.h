#pragma once

#include "forms/main/clock_rules.h"
#include "state/gamestate.h"

#include <algorithm>
#include <array>
#include <cstddef>

// The three courses: what enrolment shows on the education screen and the main screen, and how
// the main screen's course timers climb each level ladder.
namespace courses {

inline constexpr int TopLevel = 5;
using Ladder = std::array<const char16_t*, TopLevel + 1>;

struct Course {
    Int16 GameState::*flag;
    Int16 GameState::*level;
    Int16 GameState::*ticks;
    int ticksPerLevel;
    // On the education screen.
    const char* button;
    const char16_t* joinCaption;
    const char16_t* leaveCaption;
    const char16_t* finishedCaption; // the closing remark on the locked button
    const char16_t* description;
    // On the main screen.
    const char* feeLabel;
    const char* timer;
    const char* levelLabel;
    Ladder levels; // [0] is the level label's laid-out caption
};

enum Id : std::size_t { School, Tehno, Driving };

inline constexpr std::array<Course, 3> Courses{
    Course{&GameState::InSchool,
           &GameState::SchoolLevel,
           &GameState::SchoolTicks,
           100,
           "cmdSchool",
           u"Поступить в школу",
           u"Уйти из школы",
           u"Умы не учатся, они совершенствуются",
           u"Здесь вам дадут образование",
           "lblSchollCoin",
           "tmrSchool",
           "lblSchool",
           {u"Неуч", u"Студент", u"Доцэнтъ", u"Профессор", u"Умник(ца)", u"М О З Г"}},
    Course{&GameState::InTehno,
           &GameState::TehnoLevel,
           &GameState::TehnoTicks,
           150,
           "cmdTehn",
           u"Ходить в тех. училище",
           u"Уйти из тех. училища",
           u"Золотого не научишь",
           u"Техника - главное в работе с машиной!",
           "lblTehCoin",
           "tmrTeh",
           "lblTehno",
           {u"Деревянные руки", u"Электрик", u"Мастер", u"Середнячок", u"Короткое замыкание",
            u"Золотце"}},
    Course{&GameState::InDriving,
           &GameState::DrivingLevel,
           &GameState::DrivingTicks,
           170,
           "cmdVozd",
           u"Пойти на курсы вождения",
           u"Уйти с курсов вождения",
           u"Водиле неукого учиться!!!",
           u"Здесь вас учат водить корабль. Без вождения вы - никто...",
           "lblVozdCoin",
           "tmrCar",
           "lblVodit",
           {u"Не умею", u"Чайник", u"Самовар", u"Опытный", u"Гонщик", u"Водила"}},
};

constexpr const Course& course(Id id) {
    return Courses[id];
}

// The daily fee is the clock's; the screens only show it.
constexpr int fee(const Course& c) {
    const auto* f = std::ranges::find(clock_rules::DailyFees, c.flag, &clock_rules::DailyFee::flag);
    return f == clock_rules::DailyFees.end() ? 0 : f->fee;
}
static_assert(fee(Courses[School]) > 0 && fee(Courses[Tehno]) > 0 && fee(Courses[Driving]) > 0,
              "every course has its daily fee on the clock");

// The main screen's fee label while not enrolled.
inline constexpr const char16_t* NoFee = u"Нет";

} // namespace courses
