#pragma once

#include "forms/main/vantaro.h"

#include <span>

// The screens of the game, made and wired to each other in this one place: the main screen is
// every other screen's status panel, and opens the secondary screens by the labels listed here.

// The secondary screens, by the main screen's label that opens each.
std::span<const Opener> screenOpeners();
