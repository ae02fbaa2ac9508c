#include "support/reset.h"

#include "state/gamestate.h"
#include "ui/controls.h"
#include "ui/form.h"

#include <QCoreApplication>
#include <QEvent>

void resetGame() {
    discardAllForms();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    gameState() = GameState{};
    resetAllFormFields();
    resetProgramEnded();
    Label::setKeyboardNavigation(false);
}
