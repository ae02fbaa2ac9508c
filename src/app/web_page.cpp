#include "app/web_page.h"

#include "ui/fonts.h"
#include "ui/form.h"

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

#include <algorithm>

#include <emscripten.h>
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

} // namespace

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
        if (event->type() == QEvent::Show && !w->testAttribute(Qt::WA_Moved)) {
            if (const QScreen* screen = w->screen()) {
                const QRect page = screen->availableGeometry();
                QRect frame = w->frameGeometry();
                frame.moveCenter(page.center());
                w->move(std::max(frame.left(), page.left()), std::max(frame.top(), page.top()));
            }
        }
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::Move:
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

private:
    bool painted_ = false;
    bool publishing_ = false;
};

} // namespace

void connectPage() {
    // The page has no desktop font of its own: its title bars and message boxes use the face
    // the layouts name for them, and every window shows the game's icon.
    QApplication::setFont(gameFont({Face::MSSansSerif, 8.25}));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/vantaro.png")));
    qApp->installEventFilter(new PageWindows(qApp));
    emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, visibilityChanged);
    setProgramEndListener([] { page_tell("GameOver"); });
}
