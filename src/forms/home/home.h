#pragma once

#include "forms/common/status_panel.h"
#include "ui/form.h"

#include <cstddef>

// The flat: rooms, furniture and a bathroom, each up a ladder of five priced steps.
class Home : public Form {
public:
    explicit Home(StatusPanel& panel);

    // The three purchase buttons share these, each with its row of the ladder table.
    void ladder_Click(std::size_t ladder);
    void ladder_MouseMove(std::size_t ladder);
    void Form_MouseMove() override;

protected:
    void build(FormWindow& w) override;
    void Form_Load() override;

private:
    StatusPanel& panel_;
};

// Made where the program is put together.
Home& home();
