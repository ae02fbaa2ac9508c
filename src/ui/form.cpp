#include "ui/form.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMetaObject>
#include <QMouseEvent>

#include <algorithm>
#include <vector>

// Q_INIT_RESOURCE must be used outside any namespace; the resources live in the static library,
// which the linker would otherwise leave out.
static void initGameResources() {
    Q_INIT_RESOURCE(vantaro);
}

namespace {
std::vector<Form*>& registry() {
    static std::vector<Form*> forms;
    return forms;
}
bool& endedFlag() {
    static bool ended = false;
    return ended;
}
std::function<void()>& endListener() {
    static std::function<void()> listener;
    return listener;
}
std::function<void(bool)>& seenListener() {
    static std::function<void(bool)> listener;
    return listener;
}
} // namespace

// --- FormWindow ---

FormWindow::FormWindow(Form& form) : form_(form) {
    setObjectName(form.name());
    setAttribute(Qt::WA_DeleteOnClose, false);
    setMouseTracking(true);
}

void FormWindow::mouseMoveEvent(QMouseEvent* e) {
    e->accept();
    form_.Form_MouseMove();
}

void FormWindow::previewKeysOfChildren() {
    const auto children = findChildren<QWidget*>();
    for (QWidget* c : children) {
        c->installEventFilter(this);
    }
}

bool FormWindow::isCovered(const QWidget* w) const {
    const QPoint middle = w->mapTo(this, w->rect().center());
    // A box folded smaller than its contents hides them as surely as a control on top.
    for (const QWidget* box = w->parentWidget(); box != nullptr && box != this;
         box = box->parentWidget()) {
        if (!box->rect().contains(box->mapFrom(this, middle))) {
            return true;
        }
    }
    const QWidget* top = childAt(middle);
    return top != nullptr && top != w && !w->isAncestorOf(top);
}

bool FormWindow::focusNextPrevChild(bool next) {
    const auto isStop = [this](const QWidget* w) {
        return w != this && w->window() == this && (w->focusPolicy() & Qt::TabFocus) != 0 &&
               w->isVisibleTo(this) && w->isEnabled() && !isCovered(w);
    };
    QWidget* from = focusWidget() != nullptr ? focusWidget() : this;
    for (QWidget* w = from;;) {
        w = next ? w->nextInFocusChain() : w->previousInFocusChain();
        if (w == from && !isStop(w)) {
            return false;
        }
        if (isStop(w)) {
            // On the only stop there is, Tab still shows the player where the focus is.
            if (w == from) {
                w->clearFocus();
            }
            w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
}

void FormWindow::focusAroundCovers() {
    QWidget* focused = focusWidget();
    if (focused != nullptr && isCovered(focused)) {
        // A cover that hides one control may uncover the one it hid before (a folding panel
        // and its links): the focus goes back there.
        const QPointer<QWidget> before = coveredFocus_;
        coveredFocus_ = focused;
        focused->clearFocus();
        if (before != nullptr && !isCovered(before)) {
            before->setFocus(Qt::OtherFocusReason);
        }
    } else if (coveredFocus_ != nullptr && !isCovered(coveredFocus_)) {
        if (focused == nullptr) {
            coveredFocus_->setFocus(Qt::OtherFocusReason);
        }
        coveredFocus_ = nullptr;
    }
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
    // Coming forward, a window hands the focus to its first control, covered or not.
    if (event->type() == QEvent::FocusIn &&
        static_cast<QFocusEvent*>(event)->reason() == Qt::ActiveWindowFocusReason) {
        focusAroundCovers();
    }
    if (event->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(event);
        if (form_.Form_KeyDown(ke->key())) {
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FormWindow::keyPressEvent(QKeyEvent* e) {
    if (!form_.Form_KeyDown(e->key())) {
        QWidget::keyPressEvent(e);
    }
}

void FormWindow::changeEvent(QEvent* e) {
    // A screen keeps the fixed size of its layout: a window system that maximises it anyway
    // (a web page's title bars do, whatever the window asks) has it back at once.
    if (e->type() == QEvent::WindowStateChange &&
        (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) != 0) {
        QMetaObject::invokeMethod(
            this,
            [this] {
                setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
            },
            Qt::QueuedConnection);
    }
    QWidget::changeEvent(e);
}

void FormWindow::closeEvent(QCloseEvent* e) {
    // The form decides; the window itself is thrown away by the form's unload.
    e->ignore();
    form_.onCloseRequested();
}

// --- Form ---

Form::Form(QString name) : name_(std::move(name)) {
    static const bool resources = (initGameResources(), true);
    (void)resources;
    registry().push_back(this);
}

Form::~Form() {
    auto& r = registry();
    r.erase(std::remove(r.begin(), r.end(), this), r.end());
    // Forms live until the program's very end: a window still open here (the program ended
    // without unloading it, say because the display went away) is left to the system, since
    // hiding it now would talk to a toolkit that may be half torn down.
    window_.clear();
}

void Form::load() {
    if (isLoaded() || loading_) {
        return;
    }
    loading_ = true;
    window_ = new FormWindow(*this);
    build(*window_);
    // Every screen has the fixed size of its layout, so none offers to be maximised (a window
    // system that ignores the fixed size, as a web page's does, would otherwise stretch it).
    // A parentless widget becomes a plain window only as it is shown.
    const Qt::WindowType type = window_->windowType();
    if ((type == Qt::Window || type == Qt::Widget) &&
        !window_->windowFlags().testFlag(Qt::CustomizeWindowHint)) {
        window_->setWindowFlags(window_->windowFlags() | Qt::Window | Qt::CustomizeWindowHint |
                                Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    }
    window_->previewKeysOfChildren();
    loading_ = false;
    Form_Load();
}

void Form::unload() {
    if (!isLoaded()) {
        return;
    }
    Form_Unload();
    discardWindow();
}

void Form::show() {
    load();
    if (!isLoaded()) {
        return;
    }
    // Not show(): that asks the platform for a default state, and a web page's is full screen.
    // Every screen keeps the size and place of its layout.
    window_->setVisible(true);
    window_->raise();
    window_->activateWindow();
}

void Form::discardWindow() {
    if (window_.isNull()) {
        return;
    }
    FormWindow* w = window_.data();
    window_.clear();
    w->hide();
    // Later: the unload may come from a handler of one of the window's own controls.
    w->deleteLater();
}

bool Form::Form_KeyDown(int /*key*/) {
    return false;
}

void Form::onCloseRequested() {
    unload();
}

// --- program ---

void discardAllForms() {
    const auto forms = registry();
    for (Form* f : forms) {
        f->discardWindow();
    }
}

void resetAllFormFields() {
    for (Form* f : registry()) {
        f->resetFields();
    }
}

void EndProgram() {
    endedFlag() = true;
    discardAllForms();
    QCoreApplication::exit(0);
    if (endListener()) {
        endListener()();
    }
}

void setProgramEndListener(std::function<void()> listener) {
    endListener() = std::move(listener);
}

void setGameSeen(bool seen) {
    if (seenListener()) {
        seenListener()(seen);
    }
}

void setGameSeenListener(std::function<void(bool)> listener) {
    seenListener() = std::move(listener);
}

bool programEnded() {
    return endedFlag();
}

void resetProgramEnded() {
    endedFlag() = false;
}
