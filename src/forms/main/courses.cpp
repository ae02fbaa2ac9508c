#include "state/courses.h"
#include "forms/main/vantaro.h"
#include "forms/main/vantaro_layout.h"
#include "state/gamestate.h"
#include "ui/controls.h"
#include "ui/layout.h"

#include <QTimer>

using namespace courses;
using vantaro_layout::CourseClocks;
using vantaro_layout::NoFee;

void Vantaro::study(Id id) {
    const Course& c = course(id);
    const auto& labels = CourseClocks[id];
    GameState& s = gameState();
    Int16& ticks = s.*c.ticks;
    Int16& level = s.*c.level;
    ++ticks;
    if (ticks == c.ticksPerLevel) {
        ticks = 0;
        ++level;
    }
    if (level >= 0 && level <= TopLevel) {
        control<Label>(labels.levelLabel)
            ->setCaption(fromUtf16(c.levels[static_cast<std::size_t>(level.value())]));
    }
    if (level != TopLevel) {
        return;
    }
    ticks = 0;
    timer(labels.timer)->stop();
    // There is nothing left to learn, so the enrolment ends and the clock stops charging the
    // fee; the button below is locked, so the player could never leave on their own.
    s.*c.flag = 0;
    control<Label>(labels.feeLabel)->setCaption(fromUtf16(NoFee));
    courseFinished_(id);
}

void Vantaro::tmrSchool_Timer() {
    study(School);
}

void Vantaro::tmrTeh_Timer() {
    study(Tehno);
}

void Vantaro::tmrCar_Timer() {
    study(Driving);
}
