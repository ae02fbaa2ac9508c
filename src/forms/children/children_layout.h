#pragma once

#include "forms/children/courses.h"
#include "forms/common/screen_layout.h"
#include "ui/layout.h"

#include <array>

namespace children_layout {

using namespace screen_layout;

inline constexpr int ClientWidth = 6225;
inline constexpr int ClientHeight = 3555;
inline constexpr std::uint32_t Background = color::Black;
inline constexpr int CaptionBlanks = 17;
inline constexpr const char16_t* Caption = u"Учение - свет, а неучение - тьма! Да будет свет!!!";

constexpr ControlDef courseButton(const courses::Course& c, twips::Rect rect) {
    return {.name = c.button,
            .kind = Kind::Button,
            .rect = rect,
            .text = c.joinCaption,
            .font = ButtonFont};
}

// The buttons go school, driving, technical college, top to bottom and in tab order.
inline constexpr std::array Controls{
    ControlDef{.name = "Frame1",
               .kind = Kind::Frame,
               .rect = {240, 240, 2535, 2295},
               .font = LabelFont,
               .back = color::Black},
    ControlDef{.name = "lbl2",
               .parent = "Frame1",
               .rect = {120, 240, 2295, 1935},
               .font = LabelFont,
               .fore = color::White,
               .flags = look::Transparent},
    courseButton(courses::course(courses::School), {3120, 360, 2775, 495}),
    courseButton(courses::course(courses::Driving), {3120, 1200, 2775, 495}),
    courseButton(courses::course(courses::Tehno), {3120, 2040, 2775, 495}),
    priceCaption({120, 2760, 615, 255}, Background),
    priceLine({840, 2760, 1245, 240}, Background),
    backLabel("cmd", {0, 3240, 6255, 255}),
};

} // namespace children_layout
