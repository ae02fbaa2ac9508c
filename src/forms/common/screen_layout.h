#pragma once

#include "ui/layout.h"

// Layout pieces the secondary screens share.
namespace screen_layout {

inline constexpr FontDef ButtonFont{Face::MSSansSerif, 8.25, false};
inline constexpr FontDef LabelFont{Face::MSSansSerif, 9.75, true};

// The price line's text while the pointer is over no button: ten underscores.
inline constexpr const char16_t* NoPrice = u"__________";

// The label at the bottom that closes its screen.
constexpr ControlDef backLabel(const char* name, twips::Rect r, unsigned flags = look::Center) {
    return {.name = name,
            .rect = r,
            .text = u"<<< Н А З А Д",
            .font = LabelFont,
            .fore = color::White,
            .back = color::Black,
            .flags = flags};
}

// "Цена:" and, beside it, the price of what the pointer is over.
constexpr ControlDef priceCaption(twips::Rect r, std::uint32_t back) {
    return {.name = "Label1",
            .rect = r,
            .text = u"Цена:",
            .font = LabelFont,
            .fore = color::White,
            .back = back};
}
constexpr ControlDef priceLine(twips::Rect r, std::uint32_t back) {
    return {.name = "lbl",
            .rect = r,
            .text = NoPrice,
            .font = LabelFont,
            .fore = syscolor::HighlightText,
            .back = back,
            .flags = look::Center};
}

} // namespace screen_layout
