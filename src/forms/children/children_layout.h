#pragma once

#include "ui/layout.h"

#include <array>

namespace children_layout {

inline constexpr int ClientWidth = 6225;
inline constexpr int ClientHeight = 3555;
inline constexpr std::uint32_t Background = color::Black;

inline constexpr std::array Controls{
    ControlDef{.name = "cmd",
               .rect = {0, 3240, 6255, 255},
               .text = u"<<< Н А З А Д",
               .font = {Face::MSSansSerif, 9.75, true},
               .fore = color::White,
               .back = color::Black,
               .flags = look::Center},
};

} // namespace children_layout
