#include "support/reset.h"

#include "forms/main/vantaro.h"
#include "forms/work/work.h"
#include "state/gamestate.h"
#include "ui/controls.h"
#include "ui/form.h"

#include <QCoreApplication>
#include <QEvent>

void resetGame() {
    discardAllForms();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    gameState() = GameState{};
    Vantaro& v = vantaro();
    v.Hour = 0;
    v.Day = 0;
    v.Month = 0;
    v.llLeft = 0;
    v.Date = {};
    v.SpinAngle = 0;
    work().CurrentJob = 0;
    resetProgramEnded();
    Label::setKeyboardNavigation(false);
}
