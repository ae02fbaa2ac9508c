#pragma once

#include "forms/common/status_panel.h"
#include "state/int16.h"
#include "ui/form.h"

#include <QList>
#include <QPointer>

#include <chrono>
#include <cstdint>
#include <functional>
#include <span>

class Label;
class Frame;
class PictureBox;
class QTimer;

// A label of the main screen and the screen it opens.
struct Opener {
    const char* label;
    Form& (*screen)();
};

// The main screen: the whole state of the game at a glance, and every timer of the game.
class Vantaro : public Form, public StatusPanel {
public:
    // `openers`: the screens it opens; `courseFinished`: told when study completes a course.
    Vantaro(std::span<const Opener> openers, std::function<void(courses::Id)> courseFinished);

    // Game calendar and the hunger warning's position; they live as long as the form object.
    Int16 Hour;
    Int16 Day;
    Int16 Month;
    Int16 llLeft;
    std::chrono::year_month_day Date{};
    // Turn of the ship as a fraction of a full turn.
    double SpinAngle = 0;

    bool Form_KeyDown(int key) override;
    void frfr_Click();
    void fr_Click();
    void Label34_Click();

    void tmrTime_Timer();
    void tmrll_Timer();
    void tmrSchool_Timer();
    void tmrTeh_Timer();
    void tmrCar_Timer();
    void Timer1_Timer();
    void SpinPic(PictureBox& picDest, PictureBox& picSource, const double& Angle,
                 std::uint32_t Clr1, std::uint32_t Clr2, Int16 SpinStyle);

    // The labels that open the secondary screens.
    void opener_MouseDown(Label* opener);
    void opener_MouseUp(Label* opener, Form& screen);

    [[nodiscard]] QTimer* timer(const char* name);

    void resetFields() override;

    // What the other screens show here. Each write loads the screen when it is not loaded, as
    // any reference to one of its labels does.
    void showMoney(Int16 money) override;
    void showSatiety(Int16 satiety) override;
    void showHousing(Int16 GameState::*ladder, Int16 level) override;
    void showEquipment(Int16 GameState::*piece, const QString& levelName) override;
    void showCourse(courses::Id course, bool attending) override;
    void showJob(const QString& job) override;
    void showSalary(Int16 salary) override;
    void showSpecialName() override;

protected:
    void build(FormWindow& w) override;
    void Form_Load() override;
    // Closing the main window ends the game without a question.
    void Form_Unload() override;

private:
    void connectHelpPanel(FormWindow& w);
    void connectOpeners(FormWindow& w);
    void holdWhileUnseen(bool seen);
    void nextDay();
    // One second of study in a course.
    void study(courses::Id course);

    std::span<const Opener> openers_;
    std::function<void(courses::Id)> courseFinished_;

    // Controls the timers touch many times a second, looked up once per load.
    struct Ui {
        QPointer<Label> lblTime, lblDay, lblDate, lblYear, lblMoney, lblSitost, ll;
        QPointer<PictureBox> PicSpin, PicCopy;
        QPointer<QTimer> tmrll;
        // The timers stopped while the game cannot be seen.
        QList<QPointer<QTimer>> held;
    } ui_;
};

// Made where the program is put together.
Vantaro& vantaro();
