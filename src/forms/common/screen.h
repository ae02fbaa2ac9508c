#pragma once

#include "ui/form.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>

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

// What a row of buttons does, each button telling its row of the rule table.
using RowHandler = std::function<void(std::size_t row)>;

void connectRowButton(FormWindow& w, const char* button, std::size_t row, const RowHandler& click,
                      const RowHandler& mouseMove);

// Wires the buttons a rule table names in its rows' `button` field: a click and the pointer
// passing over each reach the handlers with the button's row.
template <class Row, std::size_t N>
void connectButtonRow(FormWindow& w, const std::array<Row, N>& rows, const RowHandler& click,
                      const RowHandler& mouseMove) {
    for (std::size_t i = 0; i < N; ++i) {
        connectRowButton(w, rows[i].button, i, click, mouseMove);
    }
}

// A caption with leading blanks, as some window titles have them.
QString padded(int blanks, const char16_t* text);

// The refusal of the flat and the food shop when the money is not strictly more than the price.
void showNotEnoughMoney();
