#pragma once

#include "forms/common/status_panel.h"
#include "ui/form.h"

#include <cstddef>

// The ship equipment shop: ten pieces, each bought up a ladder of five named, priced levels.
class Car : public Form {
public:
    explicit Car(StatusPanel& panel);

    // The ten purchase buttons share these, each with its row of the piece table.
    void piece_Click(std::size_t piece);
    void piece_MouseMove(std::size_t piece);
    // Also what moving over Frame1 and lbl does: the description goes.
    void Form_MouseMove() override;

protected:
    void build(FormWindow& w) override;
    void Form_Load() override;

private:
    StatusPanel& panel_;
};

// Made where the program is put together.
Car& car();
