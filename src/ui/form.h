#pragma once

#include "ui/twips.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class Form;

// The top-level window of a loaded form. It sees every key before the focused control does
// (the forms use this for Esc and F1) and turns a close by the window system into the form's
// own unload.
class FormWindow : public QWidget {
    Q_OBJECT
public:
    explicit FormWindow(Form& form);
    // Routes the keys of every control to the form first.
    void previewKeysOfChildren();
    // Call after a control has come to cover others or stopped covering them: a focused control
    // that is now covered lets the focus go, and has it back once it is uncovered.
    void focusAroundCovers();
    // Whether another control lies over the middle of `w`, or a box it lies in is folded away
    // from there, so that the mouse cannot reach it.
    [[nodiscard]] bool isCovered(const QWidget* w) const;

protected:
    // Tab and Shift+Tab pass over covered controls: what the mouse cannot reach, neither can
    // the keyboard.
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    Form& form_;
    QPointer<QWidget> coveredFocus_;
};

// A screen of the game. The object lives for the whole program and keeps its own fields;
// load() builds the window and its controls from the layout and runs Form_Load, unload() runs
// Form_Unload and throws the window and controls away.
class Form {
public:
    explicit Form(QString name);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    [[nodiscard]] const QString& name() const { return name_; }
    [[nodiscard]] bool isLoaded() const { return !window_.isNull(); }
    [[nodiscard]] FormWindow* window() const { return window_.data(); }

    void load();
    void unload();
    // Shows the form modeless, loading it first when needed; a shown form comes to the front.
    void show();

    // A control of the loaded window by its layout name; loads the form when it is not loaded,
    // as any reference to a form's control does.
    template <class T> T* control(const char* objectName) {
        load();
        return window_->findChild<T*>(QString::fromLatin1(objectName));
    }

    // Throws the window away without running Form_Unload (the program is ending).
    void discardWindow();

    // The key handler sees every key first; returning true swallows it.
    virtual bool Form_KeyDown(int key);
    // The window system asked to close the window.
    virtual void onCloseRequested();
    // The pointer moved over the bare window, not over one of its controls.
    virtual void Form_MouseMove() {}

    // Puts the form's own fields back as they are on a new object. A form with fields of its
    // own overrides this, so that a fresh game can be had without a new process.
    virtual void resetFields() {}

protected:
    virtual void build(FormWindow& w) = 0;
    virtual void Form_Load() {}
    virtual void Form_Unload() {}

private:
    QString name_;
    QPointer<FormWindow> window_;
    bool loading_ = false;
};

// Ends the program at once: every window goes without its unload step and the event loop stops.
void EndProgram();
// Told once EndProgram has run: a web page, whose event loop never returns, shows its own end.
void setProgramEndListener(std::function<void()> listener);
// Whether the player can see the game: a web page says so as its tab goes to the background and
// comes back (a desktop never does). The listener holds the game meanwhile.
void setGameSeen(bool seen);
void setGameSeenListener(std::function<void(bool seen)> listener);
// Whether EndProgram has run (tests look at it instead of the process exiting).
bool programEnded();
// Forgets an earlier EndProgram; tests start each case afresh.
void resetProgramEnded();
// Discards the windows of all forms, as at the end of the program.
void discardAllForms();
// Resets the own fields of every form made so far.
void resetAllFormFields();
