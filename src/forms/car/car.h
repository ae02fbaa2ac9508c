#pragma once

#include "ui/form.h"

class Car : public Form {
public:
    Car();

protected:
    void build(FormWindow& w) override;
};

Car& car();
