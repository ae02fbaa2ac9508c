#include "forms/children/children.h"

#include "forms/children/children_layout.h"
#include "forms/common/screen.h"
#include "state/courses.h"
#include "state/gamestate.h"
#include "ui/controls.h"

using namespace children_layout;
using namespace courses;

Children::Children(StatusPanel& panel) : Form(QStringLiteral("Children")), panel_(panel) {}

void Children::build(FormWindow& w) {
    setupScreenWindow(w, {padded(CaptionBlanks, Caption), ClientWidth, ClientHeight, Background});
    buildControls(w, Controls);
    connectButtonRow(
        w, CourseLooks, [this](std::size_t row) { course_Click(row); },
        [this](std::size_t row) { course_MouseMove(row); });
    connectBackLabel(*this, w, "cmd", false);
}

void Children::Form_Load() {
    const GameState& s = gameState();
    for (std::size_t i = 0; i < Courses.size(); ++i) {
        const CourseLook& l = CourseLooks[i];
        control<CommandButton>(l.button)->setText(
            fromUtf16(s.*Courses[i].flag == 1 ? l.leaveCaption : l.joinCaption));
    }
    // A finished course keeps its closing remark whatever the flag says.
    for (std::size_t i = 0; i < Courses.size(); ++i) {
        if (s.*Courses[i].level == TopLevel) {
            auto* b = control<CommandButton>(CourseLooks[i].button);
            b->setText(fromUtf16(CourseLooks[i].finishedCaption));
            b->setEnabled(false);
        }
    }
}

void Children::course_Click(std::size_t row) {
    const auto id = static_cast<Id>(row);
    const CourseLook& c = CourseLooks.at(row);
    // The caption tells whether the player attends; it always agrees with the flag.
    auto* b = control<CommandButton>(c.button);
    const bool joining = b->text() == fromUtf16(c.joinCaption);
    b->setText(fromUtf16(joining ? c.leaveCaption : c.joinCaption));
    gameState().*course(id).flag = joining ? 1 : 0;
    panel_.showCourse(id, joining);
}

void Children::course_MouseMove(std::size_t row) {
    control<Label>("lbl2")->setCaption(fromUtf16(CourseLooks.at(row).description));
    control<Label>("lbl")->setCaption(QString::number(fee(Courses.at(row))));
}

void Children::courseFinished(Id id) {
    const CourseLook& c = courseLook(id);
    auto* b = control<CommandButton>(c.button);
    b->setEnabled(false);
    b->setText(fromUtf16(c.finishedCaption));
}

void Children::Form_MouseMove() {
    control<Label>("lbl2")->setCaption(QString());
    control<Label>("lbl")->setCaption(fromUtf16(NoPrice));
}
