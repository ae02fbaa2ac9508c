#pragma once

#include "ui/layout.h"

#include <array>

namespace home_layout {

inline constexpr int ClientWidth = 7740;
inline constexpr int ClientHeight = 3660;
inline constexpr std::uint32_t Background = syscolor::ButtonText;

inline constexpr std::array Controls{
    ControlDef{.name = "cmd",
               .rect = {0, 3360, 7695, 255},
               .text = u"<<< Н А З А Д",
               .font = {Face::MSSansSerif, 9.75, true},
               .fore = color::White,
               .back = color::Black,
               .flags = look::Center},
};

} // namespace home_layout
