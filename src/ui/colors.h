#pragma once

#include <QColor>

#include <cstdint>

// Layout colours are written 0xBBGGRR.
constexpr QRgb bgrToRgb(std::uint32_t bgr) {
    return qRgb(static_cast<int>(bgr & 0xFFu), static_cast<int>((bgr >> 8) & 0xFFu),
                static_cast<int>((bgr >> 16) & 0xFFu));
}
inline QColor vbColor(std::uint32_t bgr) {
    return QColor::fromRgb(bgrToRgb(bgr));
}

// The system colours the layouts refer to, as the classic style's standard scheme has them
// (ui/look.h): grey faces, black text, white fields.
namespace syscolor {
inline constexpr std::uint32_t ButtonText = 0x000000;
inline constexpr std::uint32_t HighlightText = 0xFFFFFF;
inline constexpr std::uint32_t Menu = 0xC8D0D4;
inline constexpr std::uint32_t MenuText = 0x000000;
inline constexpr std::uint32_t ButtonFace = 0xC8D0D4;
inline constexpr std::uint32_t WindowBackground = 0xFFFFFF;
inline constexpr std::uint32_t WindowText = 0x000000;
} // namespace syscolor

namespace color {
inline constexpr std::uint32_t Red = 0x0000FF;
inline constexpr std::uint32_t White = 0xFFFFFF;
inline constexpr std::uint32_t Black = 0x000000;
inline constexpr std::uint32_t Yellow = 0x00FFFF;
inline constexpr std::uint32_t Silver = 0xC0C0C0;
inline constexpr std::uint32_t Grey = 0x808080;
} // namespace color
