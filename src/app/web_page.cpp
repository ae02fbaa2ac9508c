#include "app/web_page.h"

#include "forms/main/vantaro_layout.h"
#include "ui/fonts.h"
#include "ui/form.h"
#include "ui/twips.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaObject>
#include <QScreen>
#include <QString>
#include <QWidget>
#include <QWindow>

#include <algorithm>

#include <emscripten.h>
#include <emscripten/bind.h>
#include <emscripten/html5.h>

namespace {

// clang-format off
// Calls the page's hook Module.vantaro<what>(), when the page has one.
EM_JS(void, page_tell, (const char* what), {
    const hook = Module["vantaro" + UTF8ToString(what)];
    if (typeof hook === "function") hook();
});
EM_JS(void, page_screens, (const char* json), {
    Module.vantaroScreensOnShow = JSON.parse(UTF8ToString(json));
});
EM_JS(void, page_desk, (int width, int height), {
    Module.vantaroDesk = { width, height };
    if (typeof Module.vantaroDeskKnown === "function") Module.vantaroDeskKnown();
});
// Each of the page's sounds, fetched from beside the page (no plugin of emscripten's: it would
// hold each sound twice more, as a media element and its blob, and wait for the element), put
// where the game looks it up and handed to the sound module to be decoded now. One that does
// not arrive stays silent, as a missing file does on the desktop.
EM_JS(void, page_fetch_sounds, (const char* names), {
    FS.mkdirTree("/Sound");
    for (const name of UTF8ToString(names).split(",")) {
        const path = "/Sound/" + name;
        fetch("Sound/" + encodeURIComponent(name))
            .then((r) => {
                if (!r.ok) throw new Error(r.status + " " + r.statusText);
                return r.arrayBuffer();
            })
            .then((data) => {
                FS.writeFile(path, new Uint8Array(data));
                return Module.vantaroSound.arrived(path, data);
            })
            .then((sound) => {
                if (sound) Module.vantaroSoundsReady = (Module.vantaroSoundsReady || 0) + 1;
            })
            .catch((e) => console.warn("vantaro: no sound " + name + ": " + e));
    }
});
// A finger on a window's title bar or border does what the mouse does there (drags the window,
// presses the title bar's buttons): Qt for the browser takes the frame's part of the mouse's
// events alone. Such a touch reaches the game as that mouse, and not as a touch besides.
EM_JS(void, page_frames_by_touch, (), {
    // The finger's pointer while it works a frame; its touch events stay away from the game's
    // touch handling until the last finger is lifted.
    let finger = null, framed = false;
    const canvas = () => document.querySelector("#screen canvas");
    const asMouse = (e, type, buttons) => {
        e.stopPropagation();
        e.preventDefault();
        canvas().dispatchEvent(new PointerEvent(type, {
            bubbles: true, cancelable: true, composed: true, pointerId: e.pointerId,
            pointerType: "mouse", isPrimary: true, clientX: e.clientX, clientY: e.clientY,
            screenX: e.screenX, screenY: e.screenY, button: type === "pointermove" ? -1 : 0,
            buttons }));
    };
    document.addEventListener("pointerdown", (e) => {
        const c = canvas();
        if (!e.isTrusted || e.pointerType !== "touch" || !e.isPrimary || e.target !== c) return;
        const r = c.getBoundingClientRect();
        if (!Module.vantaroOnFrame(Math.round(e.clientX - r.left), Math.round(e.clientY - r.top))) return;
        finger = e.pointerId;
        framed = true;
        asMouse(e, "pointerdown", 1);
    }, true);
    for (const type of ["pointermove", "pointerup", "pointercancel"]) {
        document.addEventListener(type, (e) => {
            if (!e.isTrusted || e.pointerId !== finger) return;
            if (type !== "pointermove") finger = null;
            asMouse(e, type === "pointermove" ? type : "pointerup", type === "pointermove" ? 1 : 0);
        }, true);
    }
    for (const type of ["touchstart", "touchmove", "touchend", "touchcancel"]) {
        document.addEventListener(type, (e) => {
            if (!framed) return;
            if ((type === "touchend" || type === "touchcancel") && e.touches.length === 0) framed = false;
            e.stopPropagation();
            if (e.cancelable) e.preventDefault();
        }, true);
    }
});
// clang-format on

QJsonObject screenOf(const QWidget& w) {
    const QRect r = w.geometry();
    return QJsonObject{
        {"name", w.objectName()}, {"title", w.windowTitle()}, {"x", r.x()}, {"y", r.y()},
        {"width", r.width()},     {"height", r.height()}};
}

void publishScreens() {
    QJsonArray list;
    const QWidget* active = QApplication::activeWindow();
    const auto windows = QApplication::topLevelWidgets();
    for (const QWidget* w : windows) {
        if (w->isVisible() && w != active) {
            list.append(screenOf(*w));
        }
    }
    if (active != nullptr && active->isVisible()) {
        list.append(screenOf(*active));
    }
    page_screens(QJsonDocument(list).toJson(QJsonDocument::Compact).constData());
}

// A point of the page's canvas on the frame of the window in front there.
bool onFrame(int x, int y) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return false;
    }
    const QPoint at = screen->geometry().topLeft() + QPoint(x, y);
    const QWindow* window = QGuiApplication::topLevelAt(at);
    return window != nullptr && !window->geometry().contains(at) &&
           window->frameGeometry().contains(at);
}

} // namespace

EMSCRIPTEN_BINDINGS(vantaro_page) {
    emscripten::function("vantaroOnFrame", &onFrame);
}

namespace {

// Only the page's own word on whether it is seen: a focus change in a hidden tab is no sight.
EM_BOOL visibilityChanged(int, const EmscriptenVisibilityChangeEvent* e, void*) {
    setGameSeen(e->hidden == EM_FALSE);
    return EM_FALSE;
}

EM_BOOL firstFrameDrawn(double, void*) {
    EM_ASM(performance.mark("vantaro-first-frame"));
    // After the frame: the sounds' fetch and the page's work wait for nothing the player sees.
    emscripten_async_call(
        [](void*) {
            page_fetch_sounds(VANTARO_SOUND_FILES);
            page_tell("FirstFrameDrawn");
        },
        nullptr, 0);
    return EM_FALSE;
}

// The page is the windows' desktop. A window with no place of its own stands in the middle of
// the page, as a desktop would put a new window where it can be seen whole; the page tells of
// the first frame drawn, which the benchmark times.
class PageWindows : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w == nullptr || !w->isWindow()) {
            return false;
        }
        if (event->type() == QEvent::Show && !deskTold_ && w->windowHandle() != nullptr) {
            // The page fits the game to its largest screen, the main one, frame and all.
            deskTold_ = true;
            const QMargins frame = w->windowHandle()->frameMargins();
            page_desk(twips::toPixels(vantaro_layout::ClientWidth) + frame.left() + frame.right(),
                      twips::toPixels(vantaro_layout::ClientHeight) + frame.top() + frame.bottom());
        }
        if (event->type() == QEvent::Show && !w->testAttribute(Qt::WA_Moved)) {
            if (const QScreen* screen = w->screen()) {
                const QRect page = screen->availableGeometry();
                QRect frame = w->frameGeometry();
                frame.moveCenter(page.center());
                w->move(std::max(frame.left(), page.left()), std::max(frame.top(), page.top()));
            }
        }
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Show:
            if (!placing_ && w->isVisible()) {
                keepPlace(*w);
            }
            [[fallthrough]];
        case QEvent::Hide:
        case QEvent::Resize:
        case QEvent::WindowActivate:
            // After the event has done its work, once for all that came together (a window
            // dragged moves many times between two frames).
            if (!publishing_) {
                publishing_ = true;
                QMetaObject::invokeMethod(
                    qApp,
                    [this] {
                        publishing_ = false;
                        publishScreens();
                    },
                    Qt::QueuedConnection);
            }
            break;
        default:
            break;
        }
        if (event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            emscripten_request_animation_frame(firstFrameDrawn, nullptr);
        }
        return false;
    }

public:
    // The page fitted anew (a device turned, a window resized): every window goes back to its
    // place as a share of the page, within it, as a desktop keeps its windows on a screen that
    // changed. A window the page had to push in from an edge goes back when there is room.
    void pageChanged() {
        placing_ = true;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            const QVariant place = w->property(placeProperty);
            if (!w->isVisible() || !place.isValid() || w->screen() == nullptr) {
                continue;
            }
            const QRect page = w->screen()->availableGeometry();
            const QPointF share = place.toPointF();
            QRect frame = w->frameGeometry();
            frame.moveCenter(page.topLeft() +
                             QPoint(int(share.x() * page.width()), int(share.y() * page.height())));
            frame.moveRight(std::min(frame.right(), page.right()));
            frame.moveBottom(std::min(frame.bottom(), page.bottom()));
            frame.moveLeft(std::max(frame.left(), page.left()));
            frame.moveTop(std::max(frame.top(), page.top()));
            w->move(frame.topLeft());
        }
        placing_ = false;
    }

private:
    static constexpr const char* placeProperty = "vantaroPlace";

    // Where the player or the page put a window, as a share of the page.
    static void keepPlace(QWidget& w) {
        if (w.screen() == nullptr) {
            return;
        }
        const QRect page = w.screen()->availableGeometry();
        const QPoint c = w.frameGeometry().center() - page.topLeft();
        w.setProperty(placeProperty, QPointF(qreal(c.x()) / std::max(1, page.width()),
                                             qreal(c.y()) / std::max(1, page.height())));
    }

    bool placing_ = false;
    bool deskTold_ = false;
    bool painted_ = false;
    bool publishing_ = false;
};

} // namespace

void connectPage() {
    // The page has no desktop font of its own: its title bars and message boxes use the face
    // the layouts name for them, and every window shows the game's icon.
    QApplication::setFont(gameFont({Face::MSSansSerif, 8.25}));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/vantaro.png")));
    auto* windows = new PageWindows(qApp);
    qApp->installEventFilter(windows);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QObject::connect(screen, &QScreen::availableGeometryChanged, windows,
                         &PageWindows::pageChanged);
    }
    page_frames_by_touch();
    connectPageText();
    emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, visibilityChanged);
    setProgramEndListener([] { page_tell("GameOver"); });
}
