#pragma once

#include "ui/form.h"

class Home : public Form {
public:
    Home();

protected:
    void build(FormWindow& w) override;
};

Home& home();
