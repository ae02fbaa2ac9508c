#pragma once

#include "ui/form.h"

#include <cstddef>

// The food shop: four meals against hunger.
class Shop : public Form {
public:
    Shop();

    // The four meal buttons share these, each with its row of the meal table.
    void meal_Click(std::size_t meal);
    void meal_MouseMove(std::size_t meal);
    void Form_MouseMove() override;

protected:
    void build(FormWindow& w) override;
};

Shop& shop();
