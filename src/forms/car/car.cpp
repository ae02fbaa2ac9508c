#include "forms/car/car.h"

#include "forms/common/screen.h"
#include "forms/car/car_layout.h"

Car& car() {
    static Car form;
    return form;
}

Car::Car() : Form(QStringLiteral("Car")) {}

void Car::build(FormWindow& w) {
    using namespace car_layout;
    setupScreenWindow(w, {QStringLiteral("Здесь можно купить корабль и всё, всё, всё для него..."), ClientWidth, ClientHeight, Background, false});
    buildControls(w, Controls);
    connectBackLabel(*this, w, "cmd", false);
}
