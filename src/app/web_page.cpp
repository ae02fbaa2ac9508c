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
#include <QStringList>
#include <QWidget>
#include <qpa/qwindowsysteminterface.h>

#include <algorithm>

#include <emscripten.h>
#include <emscripten/html5.h>
#include <sys/stat.h>

namespace {

// clang-format off
// Calls the page's hook Module.vantaro<what>(), when the page has one.
EM_JS(void, page_tell, (const char* what), {
    const hook = Module["vantaro" + UTF8ToString(what)];
    if (typeof hook === "function") hook();
});
// The page keeps the list of screens on show: each one's layout name and client area, in the
// page's pixels, the active one last.
EM_JS(void, page_screens, (const char* json), {
    Module.vantaroScreens = JSON.parse(UTF8ToString(json));
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
// The page's count of the sounds that have arrived, which its scripts read.
EM_JS(void, page_sound_arrived, (),
      { Module.vantaroSoundsArrived = (Module.vantaroSoundsArrived || 0) + 1; });
} // namespace

// The page serves the sounds beside itself. They are fetched once the start screen is on
// screen, not before: the first ones (the click first) arrive long before a name is typed.
extern "C" EMSCRIPTEN_KEEPALIVE void vantaro_fetch_sounds() {
    ::mkdir("/Sound", 0755);
    const QStringList names = QStringLiteral(VANTARO_SOUND_FILES).split(QLatin1Char(','));
    for (const QString& name : names) {
        const QByteArray path = ("Sound/" + name).toUtf8();
        // A sound that does not arrive stays silent, as a missing file does on the desktop.
        emscripten_async_wget(
            path.constData(), ("/" + path).constData(), [](const char*) { page_sound_arrived(); },
            nullptr);
    }
}

namespace {

EM_BOOL visibilityChanged(int, const EmscriptenVisibilityChangeEvent* e, void*) {
    QWindowSystemInterface::handleApplicationStateChanged<
        QWindowSystemInterface::SynchronousDelivery>(e->hidden ? Qt::ApplicationHidden
                                                               : Qt::ApplicationActive);
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
            // After the event has done its work.
            QMetaObject::invokeMethod(qApp, publishScreens, Qt::QueuedConnection);
            break;
        default:
            break;
        }
        if (event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            // clang-format off
            EM_ASM(requestAnimationFrame(function() {
                performance.mark("vantaro-first-frame");
                setTimeout(function() {
                    _vantaro_fetch_sounds();
                    if (typeof Module.vantaroFirstFrame === "function") Module.vantaroFirstFrame();
                });
            }););
            // clang-format on
        }
        return false;
    }

private:
    bool painted_ = false;
};

} // namespace

void connectPage() {
    // The page has no desktop font of its own: its title bars and message boxes use the face
    // the layouts name for them, and every window shows the game's icon.
    QApplication::setFont(gameFont({Face::MSSansSerif, 8.25}));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/vantaro.png")));
    qApp->installEventFilter(new PageWindows(qApp));
    emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, visibilityChanged);
    setProgramEndListener([] { page_tell("Ended"); });
}
