#pragma once

#include "ui/layout.h"

#include <array>

// The start screen is laid out in pixels.
namespace begin_layout {

inline constexpr int ClientWidth = 425;
inline constexpr int ClientHeight = 82;
inline constexpr int TitleLeadingBlanks = 53;
inline constexpr int NameLimit = 20;

inline constexpr FontDef Bold825{Face::MSSansSerif, 8.25, true};

inline constexpr std::array Controls{
    ControlDef{.name = "Label1",
               .rect = {8, 8, 193, 17},
               .text = u"Накапай сюда своё имя >>>",
               .font = Bold825,
               .fore = syscolor::HighlightText,
               .back = syscolor::ButtonText},
    ControlDef{.name = "Text1",
               .kind = Kind::TextBox,
               .rect = {184, 8, 153, 19},
               .font = Bold825,
               .fore = syscolor::WindowText,
               .back = syscolor::WindowBackground,
               .maxLength = NameLimit},
    ControlDef{.name = "Label3",
               .rect = {72, 24, 110, 14},
               .text = u"Не более 20 символов!",
               .font = {Face::TimesNewRoman, 8.25, false},
               .fore = 0x8080FF,
               .back = color::Black},
    ControlDef{.name = "Label2",
               .rect = {8, 48, 409, 25},
               .text = u"УСЁ!",
               .font = {Face::MSSansSerif, 12, true},
               .fore = syscolor::HighlightText,
               .back = syscolor::ButtonText,
               .flags = look::Center},
};

// The confirm label's two looks.
struct LabelPlace {
    int left;
    int top;
    int border;
};
inline constexpr LabelPlace Resting{8, 48, 0};
inline constexpr LabelPlace Pressed{10, 43, 1};

} // namespace begin_layout
