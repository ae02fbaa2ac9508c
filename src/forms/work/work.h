#pragma once

#include "ui/form.h"

class Work : public Form {
public:
    Work();

protected:
    void build(FormWindow& w) override;
};

Work& work();
