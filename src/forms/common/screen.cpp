#include "forms/common/screen.h"

#include "state/playclick.h"
#include "state/sounds.h"
#include "ui/buttonlike.h"
#include "ui/controls.h"
#include "ui/layout.h"
#include "ui/msgbox.h"

#include <QGuiApplication>
#include <QScreen>

void setupScreenWindow(FormWindow& w, const ScreenWindow& def) {
    setupWindow(w, def.width, def.height, def.back);
    w.setWindowTitle(def.caption);
    if (def.toolWindow) {
        w.setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint);
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect r = w.geometry();
            r.moveCenter(screen->availableGeometry().center());
            w.move(r.topLeft());
        }
    } else {
        w.setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint);
    }
}

void connectBackLabel(Form& form, FormWindow& w, const char* name, bool clicks) {
    auto* back = w.findChild<Label*>(QString::fromLatin1(name));
    makeButtonLike(back, [&form, clicks] {
        if (clicks) {
            PlayClick(sound::Click);
        }
        form.unload();
    });
}

void connectRowButton(FormWindow& w, const char* button, std::size_t row, const RowHandler& click,
                      const RowHandler& mouseMove) {
    auto* b = w.findChild<CommandButton*>(QString::fromLatin1(button));
    QObject::connect(b, &QPushButton::clicked, b, [click, row] { click(row); });
    QObject::connect(b, &CommandButton::MouseMove, b, [mouseMove, row] { mouseMove(row); });
}

QString padded(int blanks, const char16_t* text) {
    return QString(blanks, QLatin1Char(' ')) + fromUtf16(text);
}

void showNotEnoughMoney() {
    MsgBox(QStringLiteral("У вас не хватает денег на енто!"), MsgIcon::Stop,
           QStringLiteral("Нахаляву захотел?"));
}
