#include "ui/msgbox.h"

#include <QApplication>
#include <QMessageBox>

namespace {
MsgBoxObserver& observer() {
    static MsgBoxObserver o;
    return o;
}
} // namespace

void setMsgBoxObserver(MsgBoxObserver o) {
    observer() = std::move(o);
}

void MsgBox(const QString& text, MsgIcon icon, const QString& title) {
    if (observer()) {
        observer()({text, title, icon});
        return;
    }
    QMessageBox box(icon == MsgIcon::Stop          ? QMessageBox::Critical
                    : icon == MsgIcon::Information ? QMessageBox::Information
                                                   : QMessageBox::NoIcon,
                    title, text, QMessageBox::Ok, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
