#pragma once

#include "ui/colors.h"
#include "ui/fonts.h"
#include "ui/twips.h"

#include <cstdint>
#include <span>

class QWidget;

// A form's layout as data: one row a control, in the order the controls are stacked (later rows
// lie above earlier ones). Handlers find the controls by their names.
enum class Kind { Label, Frame, Line, TextBox, PictureBox, Button };

namespace look {
inline constexpr unsigned Transparent = 1u << 0;
inline constexpr unsigned Center = 1u << 1;
inline constexpr unsigned Right = 1u << 2;
inline constexpr unsigned AutoSize = 1u << 3;
inline constexpr unsigned Hidden = 1u << 4;
// A one-line label whose face narrows, only as far as a long caption needs, to show it whole.
inline constexpr unsigned NarrowToFit = 1u << 5;
} // namespace look

struct ControlDef {
    const char* name = "";
    Kind kind = Kind::Label;
    const char* parent = nullptr; // a frame's name, or the form itself
    // Position and size in the form's unit; a line runs from (left, top) over (width, height),
    // one of which is 0.
    twips::Rect rect;
    const char16_t* text = u"";
    FontDef font;
    std::uint32_t fore = syscolor::ButtonText;
    std::uint32_t back = syscolor::ButtonFace;
    unsigned flags = 0;
    const char16_t* tip = nullptr;
    int maxLength = 0;
};

// Creates the controls of `defs` on `form`. `unit` is the twips in one layout unit: 1 for forms
// laid out in twips, twips::PerPixel for forms laid out in pixels.
void buildControls(QWidget& form, std::span<const ControlDef> defs, int unit = 1);

// Sets a top-level window's fixed client size, in twips, and its background colour.
void setupWindow(QWidget& window, int widthTwips, int heightTwips, std::uint32_t back);

QString fromUtf16(const char16_t* text);
