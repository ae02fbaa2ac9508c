#pragma once

#include <QFont>

#include <span>

// The layouts name Windows font families. Each maps to a free font bundled with the game, with
// Cyrillic glyphs, so the screens look the same on every machine.
enum class Face { MSSansSerif, MicrosoftSansSerif, TimesNewRoman, ComicSansMS };

struct FontDef {
    Face face = Face::MSSansSerif;
    double points = 8.25;
    bool bold = false;
    // Percent of the face's own width: where a stand-in face is wider than the one a layout was
    // drawn for, its text is narrowed instead of moving or growing the control.
    int stretch = 100;
    friend constexpr bool operator==(const FontDef&, const FontDef&) = default;
};

// Sizes are set in pixels of the 96-dpi reference screen (points × 4/3), so text keeps its
// proportion to the twips layout whatever the desktop's font dpi is.
QFont gameFont(FontDef def);

// The family a face maps to once the font file of that weight is registered.
QString familyFor(Face face, bool bold);

// Registers bundled font files and returns the family they hold, or `fallback` when none of
// them loads, so a damaged installation still shows text.
QString registerFamily(std::span<const char* const> files, const QString& fallback);
