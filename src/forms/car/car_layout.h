#pragma once

#include "ui/layout.h"

#include <array>

namespace car_layout {

inline constexpr int ClientWidth = 6870;
inline constexpr int ClientHeight = 4410;
inline constexpr std::uint32_t Background = color::Black;

inline constexpr std::array Controls{
    ControlDef{.name = "cmd",
               .rect = {120, 4080, 6615, 255},
               .text = u"<<< Н А З А Д",
               .font = {Face::MSSansSerif, 9.75, true},
               .fore = color::White,
               .back = color::Black,
               .flags = look::Center},
};

} // namespace car_layout
