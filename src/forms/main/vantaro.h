#pragma once

#include "state/int16.h"
#include "ui/form.h"

class Label;
class Frame;
class PictureBox;
class QTimer;

// The main screen: the whole state of the game at a glance, and every timer of the game.
class Vantaro : public Form {
public:
    Vantaro();

    // Game calendar and the hunger warning's position; they live as long as the form object.
    Int16 Hour;
    Int16 Day;
    Int16 Month;
    Int16 llLeft;

    bool Form_KeyDown(int key) override;
    void frfr_Click();
    void fr_Click();
    void Label34_Click();

    [[nodiscard]] QTimer* timer(const char* name);

protected:
    void build(FormWindow& w) override;
    void Form_Load() override;
    // Closing the main window ends the game without a question.
    void Form_Unload() override;

private:
    void connectHelpPanel(FormWindow& w);
};

Vantaro& vantaro();
