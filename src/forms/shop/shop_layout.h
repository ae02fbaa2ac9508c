#pragma once

#include "ui/layout.h"

#include <array>

namespace shop_layout {

inline constexpr int ClientWidth = 6885;
inline constexpr int ClientHeight = 3090;
inline constexpr std::uint32_t Background = color::Black;

inline constexpr std::array Controls{
    ControlDef{.name = "lblNazad",
               .rect = {120, 2760, 6735, 255},
               .text = u"<<< Н А З А Д",
               .font = {Face::MSSansSerif, 9.75, true},
               .fore = color::White,
               .back = color::Black,
               .flags = look::Center | look::Transparent},
};

} // namespace shop_layout
