#include "forms/children/courses.h"
#include "forms/children/children.h"
#include "forms/main/vantaro.h"
#include "state/gamestate.h"
#include "ui/controls.h"
#include "ui/layout.h"

#include <QTimer>

using namespace courses;

namespace {

// One second of study in course `c`.
void study(Vantaro& v, const Course& c) {
    GameState& s = gameState();
    Int16& ticks = s.*c.ticks;
    Int16& level = s.*c.level;
    ++ticks;
    if (ticks == c.ticksPerLevel) {
        ticks = 0;
        ++level;
    }
    if (level >= 0 && level <= TopLevel) {
        v.control<Label>(c.levelLabel)
            ->setCaption(fromUtf16(c.levels[static_cast<std::size_t>(level.value())]));
    }
    if (level != TopLevel) {
        return;
    }
    ticks = 0;
    v.timer(c.timer)->stop();
    // There is nothing left to learn, so the enrolment ends and the clock stops charging the
    // fee; the button below is locked, so the player could never leave on their own.
    s.*c.flag = 0;
    v.control<Label>(c.feeLabel)->setCaption(fromUtf16(NoFee));
    // Loads the education screen hidden when it is closed, so the lock is there whenever it
    // is shown.
    auto* b = children().control<CommandButton>(c.button);
    b->setEnabled(false);
    b->setText(fromUtf16(c.finishedCaption));
}

} // namespace

void Vantaro::tmrSchool_Timer() {
    study(*this, course(School));
}

void Vantaro::tmrTeh_Timer() {
    study(*this, course(Tehno));
}

void Vantaro::tmrCar_Timer() {
    study(*this, course(Driving));
}
