#pragma once

#include "forms/common/status_panel.h"
#include "ui/form.h"

// The education screen: enrol in or leave school, technical college and driving courses.
class Children : public Form {
public:
    explicit Children(StatusPanel& panel);

    // The three course buttons share these, each with its row of the course table.
    void course_Click(std::size_t row);
    void course_MouseMove(std::size_t row);
    void Form_MouseMove() override;

    // Study completed the course: its button is locked under its closing remark. Loads the
    // screen hidden when it is closed, so the lock is there whenever it is shown.
    void courseFinished(courses::Id id);

protected:
    void build(FormWindow& w) override;
    void Form_Load() override;

private:
    StatusPanel& panel_;
};

// Made where the program is put together.
Children& children();
