#pragma once

#include "forms/common/screen_layout.h"
#include "state/gamestate.h"
#include "ui/layout.h"

#include <array>

namespace home_layout {

using namespace screen_layout;

inline constexpr int ClientWidth = 7740;
inline constexpr int ClientHeight = 3660;
inline constexpr std::uint32_t Background = syscolor::ButtonText;
inline constexpr const char16_t* Caption = u"Покупка квартиры и всё, всё, всё для неё...";

inline constexpr int TopLevel = 5;

// Three independent ladders; prices[n] is the step from level n to n + 1.
struct Ladder {
    const char* button;
    const char16_t* caption;
    Int16 GameState::*level;
    std::array<int, TopLevel> prices;
    twips::Rect rect;
};
inline constexpr std::array Ladders{
    Ladder{"cmdHome",
           u"Продать старую квартиру и купить новую (+1 комната)",
           &GameState::HomeRooms,
           {20, 35, 45, 60, 80},
           {120, 120, 4335, 255}},
    Ladder{"cmdMebel",
           u"Купить мебель",
           &GameState::MebelLevel,
           {10, 15, 25, 35, 50},
           {120, 360, 4335, 255}},
    Ladder{"cmdVanna",
           u"Купить ванную",
           &GameState::VannaLevel,
           {15, 20, 30, 40, 55},
           {120, 600, 4335, 255}},
};

constexpr ControlDef ladderButton(const Ladder& l) {
    return {.name = l.button,
            .kind = Kind::Button,
            .rect = l.rect,
            .text = l.caption,
            .font = ButtonFont};
}

inline constexpr std::array Controls{
    ladderButton(Ladders[0]),
    ladderButton(Ladders[1]),
    ladderButton(Ladders[2]),
    priceCaption({120, 3000, 615, 255}, Background),
    priceLine({840, 3000, 1245, 240}, Background),
    backLabel("cmd", {0, 3360, 7695, 255}),
};

} // namespace home_layout
