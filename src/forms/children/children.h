#pragma once

#include "ui/form.h"

class Children : public Form {
public:
    Children();

protected:
    void build(FormWindow& w) override;
};

Children& children();
