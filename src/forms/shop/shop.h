#pragma once

#include "ui/form.h"

class Shop : public Form {
public:
    Shop();

protected:
    void build(FormWindow& w) override;
};

Shop& shop();
