#pragma once

#include "forms/common/screen_layout.h"
#include "state/courses.h"
#include "ui/layout.h"

#include <array>

namespace children_layout {

using namespace screen_layout;

inline constexpr int ClientWidth = 6225;
inline constexpr int ClientHeight = 3555;
inline constexpr std::uint32_t Background = color::Black;
inline constexpr int CaptionBlanks = 17;
inline constexpr const char16_t* Caption = u"Учение - свет, а неучение - тьма! Да будет свет!!!";

// What the screen shows of each course, in the course table's order.
struct CourseLook {
    const char* button;
    const char16_t* joinCaption;
    const char16_t* leaveCaption;
    const char16_t* finishedCaption; // the closing remark on the locked button
    const char16_t* description;
};
inline constexpr std::array<CourseLook, courses::Courses.size()> CourseLooks{
    CourseLook{"cmdSchool", u"Поступить в школу", u"Уйти из школы",
               u"Умы не учатся, они совершенствуются", u"Здесь вам дадут образование"},
    CourseLook{"cmdTehn", u"Ходить в тех. училище", u"Уйти из тех. училища", u"Золотого не научишь",
               u"Техника - главное в работе с машиной!"},
    CourseLook{"cmdVozd", u"Пойти на курсы вождения", u"Уйти с курсов вождения",
               u"Водиле неукого учиться!!!",
               u"Здесь вас учат водить корабль. Без вождения вы - никто..."},
};

constexpr const CourseLook& courseLook(courses::Id id) {
    return CourseLooks[id];
}

constexpr ControlDef courseButton(const CourseLook& c, twips::Rect rect) {
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
    courseButton(courseLook(courses::School), {3120, 360, 2775, 495}),
    courseButton(courseLook(courses::Driving), {3120, 1200, 2775, 495}),
    courseButton(courseLook(courses::Tehno), {3120, 2040, 2775, 495}),
    priceCaption({120, 2760, 615, 255}, Background),
    priceLine({840, 2760, 1245, 240}, Background),
    backLabel("cmd", {0, 3240, 6255, 255}),
};

} // namespace children_layout
