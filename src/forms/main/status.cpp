#include "forms/main/vantaro.h"
#include "forms/main/vantaro_layout.h"
#include "state/courses.h"
#include "ui/colors.h"
#include "ui/controls.h"
#include "ui/layout.h"

#include <QTimer>

#include <algorithm>
#include <span>

using namespace vantaro_layout;

namespace {

// Every ladder the screens climb has its label here; the debug build stops on one that has not.
Label* labelOf(Vantaro& v, std::span<const LevelLabel> labels, Int16 GameState::*level) {
    const auto l = std::find_if(labels.begin(), labels.end(),
                                [level](const LevelLabel& x) { return x.level == level; });
    Q_ASSERT(l != labels.end());
    return l == labels.end() ? nullptr : v.control<Label>(l->label);
}

} // namespace

void Vantaro::showMoney(Int16 money) {
    control<Label>("lblMoney")->setCaption(money.str());
}

void Vantaro::showSatiety(Int16 satiety) {
    control<Label>("lblSitost")->setCaption(satiety.str());
}

void Vantaro::showHousing(Int16 GameState::*ladder, Int16 level) {
    if (Label* l = labelOf(*this, HousingLabels, ladder)) {
        l->setCaption(level.str());
    }
}

void Vantaro::showEquipment(Int16 GameState::*piece, const QString& levelName) {
    if (Label* l = labelOf(*this, EquipmentLabels, piece)) {
        l->setCaption(levelName);
    }
}

void Vantaro::showCourse(courses::Id course, bool attending) {
    const CourseClock& c = CourseClocks[course];
    control<Label>(c.feeLabel)
        ->setCaption(attending ? QString::number(courses::fee(courses::course(course)))
                               : fromUtf16(NoFee));
    // Ticks and levels stay as they are, so study resumes where it stopped.
    QTimer* t = timer(c.timer);
    if (attending) {
        t->start();
    } else {
        t->stop();
    }
}

void Vantaro::showJob(const QString& job) {
    control<Label>("lblWork")->setCaption(job);
}

void Vantaro::showSalary(Int16 salary) {
    control<Label>("lblZarplata")->setCaption(salary.str());
}

void Vantaro::showSpecialName() {
    control<Label>("lblName")->setForeColor(color::Red);
}
