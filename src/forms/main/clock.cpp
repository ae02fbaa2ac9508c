#include "forms/main/vantaro.h"
#include "forms/main/vantaro_layout.h"
#include "state/clock_rules.h"
#include "ui/colors.h"
#include "ui/controls.h"

#include <QTimer>

using namespace clock_rules;
using namespace vantaro_layout;

namespace {
Int16 asInt16(unsigned v) {
    return Int16(static_cast<int>(v));
}
} // namespace

void Vantaro::tmrTime_Timer() {
    GameState& s = gameState();
    Label* time = ui_.lblTime;
    ++Hour;
    time->setCaption(Hour.str());
    if (Hour == 10) {
        twips::setLeft(time, HourLeftTwoDigits);
    } else if (Hour <= 1) {
        twips::setLeft(time, HourLeftOneDigit);
    }

    if (Hour == HoursPerDay) {
        for (const DailyFee& f : DailyFees) {
            if (s.*f.flag == 1) {
                s.Money -= f.fee;
            }
        }
        Hour = 0;
        nextDay();
        s.Money += s.Zarplata;
        s.Sitost -= DailyHunger;
        ui_.lblSitost->setCaption(s.Sitost.str());
        ui_.lblMoney->setCaption(s.Money.str());
    }

    if (s.Sitost <= StarvationLevel) {
        // Starting a running timer would restart it and lose part of a step every second.
        if (!ui_.tmrll->isActive()) {
            ui_.tmrll->start();
        }
        ui_.ll->setVisible(true);
    } else {
        llLeft = 0;
        ui_.ll->setVisible(false);
        ui_.tmrll->stop();
        twips::setLeft(ui_.ll, 0);
    }

    ui_.lblMoney->setForeColor(s.Money < 0 ? color::Red : color::White);
    ui_.lblSitost->setForeColor(s.Sitost < 0 ? color::Red : color::White);
}

void Vantaro::nextDay() {
    // The top bar follows the real calendar, leap years and new years included.
    const auto previous = Date;
    Date = std::chrono::year_month_day{std::chrono::sys_days{Date} + std::chrono::days{1}};
    Day = asInt16(static_cast<unsigned>(Date.day()));
    Month = asInt16(static_cast<unsigned>(Date.month()));
    ui_.lblDay->setCaption(Day.str());
    if (Day == 10) {
        twips::setLeft(ui_.lblDay, DayLeftTwoDigits);
    }
    if (Day == 1) {
        twips::setLeft(ui_.lblDay, DayLeftOneDigit);
    }
    if (Date.month() != previous.month()) {
        ui_.lblDate->setCaption(Month.str());
    }
    if (Date.year() != previous.year()) {
        ui_.lblYear->setCaption(QString::number(static_cast<int>(Date.year())));
    }
}

void Vantaro::tmrll_Timer() {
    llLeft += WarningStep;
    twips::setLeft(ui_.ll, llLeft.value());
    if (twips::left(ui_.ll) >= WarningRestart) {
        llLeft = 0;
        twips::setLeft(ui_.ll, 0);
    }
}
