#pragma once

#include "forms/common/screen_layout.h"
#include "ui/layout.h"

#include <array>

namespace shop_layout {

using namespace screen_layout;

inline constexpr int ClientWidth = 6885;
inline constexpr int ClientHeight = 3090;
inline constexpr std::uint32_t Background = color::Black;
inline constexpr int CaptionBlanks = 50;
inline constexpr const char16_t* Caption = u"Магазин. Поел и порядок...";

// Every meal costs as much money as it brings satiety.
struct Meal {
    const char* button;
    const char16_t* caption;
    int price;
    const char16_t* priceText;
    const char16_t* description;
    twips::Rect rect;
};
inline constexpr std::array Meals{
    Meal{"cmdZavtrak", u"Купить завтрак", 4, u"4", u"Удаляет голод на 4", {120, 240, 2415, 375}},
    Meal{"cmdLanch", u"Купить ланч", 3, u"3", u"Удаляет голод на 3", {1320, 600, 2415, 375}},
    Meal{"cmdObed", u"Купить обед", 8, u"8", u"Удаляет голод на 8", {120, 960, 2415, 375}},
    Meal{"cmdUzin", u"Купить ужин", 6, u"6", u"Удаляет голод на 6", {1320, 1320, 2415, 375}},
};

// Meals are sold only below this satiety; the gain may take it past.
inline constexpr int SatietyCap = 100;

constexpr ControlDef mealButton(const Meal& m) {
    return {.name = m.button,
            .kind = Kind::Button,
            .rect = m.rect,
            .text = m.caption,
            .font = ButtonFont};
}

inline constexpr std::array Controls{
    mealButton(Meals[0]),
    mealButton(Meals[1]),
    mealButton(Meals[2]),
    mealButton(Meals[3]),
    ControlDef{.name = "Frame1",
               .kind = Kind::Frame,
               .rect = {4080, 120, 2535, 2175},
               .font = LabelFont,
               .back = color::Black},
    ControlDef{.name = "lbl2",
               .parent = "Frame1",
               .rect = {120, 240, 2295, 1815},
               .font = LabelFont,
               .fore = color::White,
               .flags = look::Transparent},
    priceCaption({120, 2040, 630, 240}, color::Black),
    priceLine({840, 2040, 1095, 255}, color::Black),
    backLabel("lblNazad", {120, 2760, 6735, 255}, look::Center | look::Transparent),
};

} // namespace shop_layout
