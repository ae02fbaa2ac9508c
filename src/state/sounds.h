#pragma once

#include <QString>

// The game's own sound paths, relative to the working directory.
namespace sound {
inline const QString Click = QStringLiteral("Sound\\Click1.wav");
inline const QString Eat = QStringLiteral("Sound\\eda1.wav");
} // namespace sound
