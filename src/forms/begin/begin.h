#pragma once

#include "forms/common/status_panel.h"
#include "ui/form.h"

class QLineEdit;
class Label;

// The start screen: the player types a name and confirms it.
class Begin : public Form {
public:
    // `next`: the screen a confirmed name leads to, which `panel` belongs to.
    Begin(StatusPanel& panel, Form& next);

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

    StatusPanel& panel_;
    Form& next_;
};

// Made where the program is put together.
Begin& begin();
