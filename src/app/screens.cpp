#include "app/screens.h"

#include "forms/begin/begin.h"
#include "forms/car/car.h"
#include "forms/car/car_layout.h"
#include "forms/children/children.h"
#include "forms/home/home.h"
#include "forms/home/home_layout.h"
#include "forms/main/vantaro.h"
#include "forms/main/vantaro_layout.h"
#include "forms/shop/shop.h"
#include "forms/work/work.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array Openers{
    Opener{"lblShop", []() -> Form& { return shop(); }},
    Opener{"cmdWork", []() -> Form& { return work(); }},
    Opener{"cmdHome", []() -> Form& { return home(); }},
    Opener{"cmdKorabl", []() -> Form& { return car(); }},
    Opener{"cmdSchool", []() -> Form& { return children(); }},
};

// Every ladder a screen climbs has its label on the status panel.
template <class Rows, class Labels>
constexpr bool everyLadderShown(const Rows& rows, const Labels& labels) {
    return std::all_of(std::begin(rows), std::end(rows), [&labels](const auto& row) {
        return std::find_if(std::begin(labels), std::end(labels), [&row](const auto& l) {
                   return l.level == row.level;
               }) != std::end(labels);
    });
}
static_assert(everyLadderShown(car_layout::Pieces, vantaro_layout::EquipmentLabels));
static_assert(everyLadderShown(home_layout::Ladders, vantaro_layout::HousingLabels));

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
