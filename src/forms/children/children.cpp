#include "forms/children/children.h"

#include "forms/children/children_layout.h"
#include "forms/children/courses.h"
#include "forms/common/screen.h"
#include "state/gamestate.h"
#include "ui/controls.h"

using namespace children_layout;
using namespace courses;

Children::Children(StatusPanel& panel) : Form(QStringLiteral("Children")), panel_(panel) {}

void Children::build(FormWindow& w) {
    setupScreenWindow(w, {padded(CaptionBlanks, Caption), ClientWidth, ClientHeight, Background});
    buildControls(w, Controls);
    const auto wire = [this, &w](const Course& c, void (Children::*click)(),
                                 void (Children::*mouseMove)()) {
        auto* b = w.findChild<CommandButton*>(QString::fromLatin1(c.button));
        QObject::connect(b, &QPushButton::clicked, b, [this, click] { (this->*click)(); });
        QObject::connect(b, &CommandButton::MouseMove, b,
                         [this, mouseMove] { (this->*mouseMove)(); });
    };
    wire(course(School), &Children::cmdSchool_Click, &Children::cmdSchool_MouseMove);
    wire(course(Tehno), &Children::cmdTehn_Click, &Children::cmdTehn_MouseMove);
    wire(course(Driving), &Children::cmdVozd_Click, &Children::cmdVozd_MouseMove);
    connectBackLabel(*this, w, "cmd", false);
}

void Children::Form_Load() {
    const GameState& s = gameState();
    for (const Course& c : Courses) {
        control<CommandButton>(c.button)->setText(
            fromUtf16(s.*c.flag == 1 ? c.leaveCaption : c.joinCaption));
    }
    // A finished course keeps its closing remark whatever the flag says.
    for (const Course& c : Courses) {
        if (s.*c.level == TopLevel) {
            auto* b = control<CommandButton>(c.button);
            b->setText(fromUtf16(c.finishedCaption));
            b->setEnabled(false);
        }
    }
}

void Children::cmdSchool_Click() {
    course_Click(School);
}
void Children::cmdTehn_Click() {
    course_Click(Tehno);
}
void Children::cmdVozd_Click() {
    course_Click(Driving);
}

void Children::course_Click(Id id) {
    const Course& c = course(id);
    // The caption tells whether the player attends; it always agrees with the flag.
    auto* b = control<CommandButton>(c.button);
    const bool joining = b->text() == fromUtf16(c.joinCaption);
    b->setText(fromUtf16(joining ? c.leaveCaption : c.joinCaption));
    gameState().*c.flag = joining ? 1 : 0;
    panel_.showCourse(id, joining);
}

void Children::cmdSchool_MouseMove() {
    course_MouseMove(School);
}
void Children::cmdTehn_MouseMove() {
    course_MouseMove(Tehno);
}
void Children::cmdVozd_MouseMove() {
    course_MouseMove(Driving);
}

void Children::course_MouseMove(Id id) {
    const Course& c = course(id);
    control<Label>("lbl2")->setCaption(fromUtf16(c.description));
    control<Label>("lbl")->setCaption(QString::number(fee(c)));
}

void Children::courseFinished(Id id) {
    const Course& c = course(id);
    auto* b = control<CommandButton>(c.button);
    b->setEnabled(false);
    b->setText(fromUtf16(c.finishedCaption));
}

void Children::Form_MouseMove() {
    control<Label>("lbl2")->setCaption(QString());
    control<Label>("lbl")->setCaption(fromUtf16(NoPrice));
}
