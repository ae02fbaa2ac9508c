#pragma once

#include "ui/layout.h"

#include <array>

namespace work_layout {

inline constexpr int ClientWidth = 8475;
inline constexpr int ClientHeight = 6600;
inline constexpr std::uint32_t Background = color::Black;

inline constexpr std::array Controls{
    ControlDef{.name = "cmd",
               .rect = {120, 6240, 8175, 255},
               .text = u"<<< Н А З А Д",
               .font = {Face::MSSansSerif, 9.75, true},
               .fore = syscolor::HighlightText,
               .back = color::Black,
               .flags = look::Center},
};

} // namespace work_layout
