#include "ui/msgbox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

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
    // Shown without a nested event loop, which a web page cannot run: the box blocks the
    // other windows until it is closed and the handler that showed it carries on at once, which
    // every caller is written for. It then hands the keyboard back to the window that opened it.
    const QPointer<QWidget> opener = QApplication::activeWindow();
    auto* box = new QMessageBox(icon == MsgIcon::Stop          ? QMessageBox::Critical
                                : icon == MsgIcon::Information ? QMessageBox::Information
                                                               : QMessageBox::NoIcon,
                                title, text, QMessageBox::Ok, opener);
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    QObject::connect(box, &QDialog::finished, box, [opener] {
        if (opener != nullptr && opener->isVisible()) {
            opener->activateWindow();
        }
    });
    box->show();
}
