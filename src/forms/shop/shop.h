#pragma once

#include "forms/common/status_panel.h"
#include "ui/form.h"

#include <cstddef>

// The food shop: four meals against hunger.
class Shop : public Form {
public:
    explicit Shop(StatusPanel& panel);

    // The four meal buttons share these, each with its row of the meal table.
    void meal_Click(std::size_t meal);
    void meal_MouseMove(std::size_t meal);
    void Form_MouseMove() override;

protected:
    void build(FormWindow& w) override;

private:
    StatusPanel& panel_;
};

// Made where the program is put together.
Shop& shop();
