#include "app/screens.h"

#include "forms/begin/begin.h"
#include "forms/car/car.h"
#include "forms/children/children.h"
#include "forms/home/home.h"
#include "forms/main/vantaro.h"
#include "forms/shop/shop.h"
#include "forms/work/work.h"

#include <array>

namespace {

constexpr std::array Openers{
    Opener{"lblShop", []() -> Form& { return shop(); }},
    Opener{"cmdWork", []() -> Form& { return work(); }},
    Opener{"cmdHome", []() -> Form& { return home(); }},
    Opener{"cmdKorabl", []() -> Form& { return car(); }},
    Opener{"cmdSchool", []() -> Form& { return children(); }},
};

} // namespace

std::span<const Opener> screenOpeners() {
    return Openers;
}

Vantaro& vantaro() {
    static Vantaro form(Openers, [](courses::Id course) { children().courseFinished(course); });
    return form;
}

Begin& begin() {
    static Begin form(vantaro(), vantaro());
    return form;
}

Shop& shop() {
    static Shop form(vantaro());
    return form;
}

Work& work() {
    static Work form(vantaro());
    return form;
}

Home& home() {
    static Home form(vantaro());
    return form;
}

Car& car() {
    static Car form(vantaro());
    return form;
}

Children& children() {
    static Children form(vantaro());
    return form;
}
