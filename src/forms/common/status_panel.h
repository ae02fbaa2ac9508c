#pragma once

#include "state/courses.h"
#include "state/gamestate.h"

#include <QString>

// What the secondary screens show on the main screen, one method a thing shown. The main screen
// implements it; a screen that changes the state tells it here rather than writing the main
// screen's labels by their names.
class StatusPanel {
public:
    virtual void showMoney(Int16 money) = 0;
    virtual void showSatiety(Int16 satiety) = 0;
    // The flat's rooms, furniture or bathroom, named by the field that holds its level.
    virtual void showHousing(Int16 GameState::*ladder, Int16 level) = 0;
    // A piece of ship equipment, named by the field that holds its level.
    virtual void showEquipment(Int16 GameState::*piece, const QString& levelName) = 0;
    // Attending a course shows its daily fee and runs its study clock; leaving stops both.
    virtual void showCourse(courses::Id course, bool attending) = 0;
    virtual void showJob(const QString& job) = 0;
    virtual void showSalary(Int16 salary) = 0;
    // The player's name in red, for the names that give the rich start.
    virtual void showSpecialName() = 0;

protected:
    StatusPanel() = default;
    ~StatusPanel() = default;
    StatusPanel(const StatusPanel&) = default;
    StatusPanel& operator=(const StatusPanel&) = default;
};
