#pragma once

#include "ui/form.h"

#include <cstdint>

// What the five secondary screens share: a fixed-size window and a back label that unloads it.
struct ScreenWindow {
    QString caption;
    int width; // client area, twips
    int height;
    std::uint32_t back;
    bool toolWindow = false; // no minimise and maximise buttons, centred on the screen
};

void setupScreenWindow(FormWindow& w, const ScreenWindow& def);

// `clicks`: only the flat's back label sounds the click before it closes its screen.
void connectBackLabel(Form& form, FormWindow& w, const char* name, bool clicks);

// A caption with leading blanks, as some window titles have them.
QString padded(int blanks, const char16_t* text);

// The refusal of the flat and the food shop when the money is not strictly more than the price.
void showNotEnoughMoney();
