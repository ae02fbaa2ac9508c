#pragma once

#include "ui/form.h"

class QLineEdit;
class Label;

// The start screen: the player types a name and confirms it.
class Begin : public Form {
public:
    Begin();

    void Text1_Change();
    void Label2_MouseDown();
    void Label2_MouseUp();
    bool Form_KeyDown(int key) override;
    void onCloseRequested() override;

    // Only blanks, or nothing at all.
    static bool isBlankName(const QString& name);
    // The text with any half of a split character removed.
    static QString withoutBrokenCharacters(const QString& text);

    static const QString& title();

protected:
    void build(FormWindow& w) override;
    void Form_Unload() override;

private:
    void confirm();
    void place(int left, int top, int border);
};

Begin& begin();
