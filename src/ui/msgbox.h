#pragma once

#include <QString>

#include <functional>

enum class MsgIcon { None, Stop, Information };

struct MsgBoxCall {
    QString text;
    QString title;
    MsgIcon icon = MsgIcon::None;
};

// Shows a modal message box with a single OK button; returns at once, while the box is open.
void MsgBox(const QString& text, MsgIcon icon, const QString& title);

// Tests watch the message boxes a handler shows; while an observer is set, none is shown and
// MsgBox returns at once as if OK had been pressed.
using MsgBoxObserver = std::function<void(const MsgBoxCall&)>;
void setMsgBoxObserver(MsgBoxObserver observer);
