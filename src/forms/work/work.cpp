#include "forms/work/work.h"

#include "forms/common/screen.h"
#include "forms/work/jobs.h"
#include "forms/work/work_layout.h"
#include "state/playclick.h"
#include "ui/controls.h"

using namespace work_layout;

Work::Work(StatusPanel& panel) : Form(QStringLiteral("Work")), panel_(panel) {}

void Work::resetFields() {
    CurrentJob = 0;
}

void Work::build(FormWindow& w) {
    setupScreenWindow(w, {QStringLiteral("Работа"), ClientWidth, ClientHeight, Background, true});
    buildControls(w, Controls);
    connectButtonRow(
        w, jobs::Catalogue, [this](std::size_t row) { job_Click(row); },
        [this](std::size_t row) { job_MouseMove(row); });
    auto* fr = w.findChild<Frame*>(QStringLiteral("fr"));
    QObject::connect(fr, &Frame::Click, fr, [this] { fr_Click(); });
    const auto label = [&w](const char* name) {
        return w.findChild<Label*>(QString::fromLatin1(name));
    };
    // The keyboard turns the pages too, while the panel shows them.
    label("lblNext1")->setButtonLike(true);
    label("lblPrev1")->setButtonLike(true);
    QObject::connect(label("lblNext1"), &Label::Click, fr, [this] { lblNext1_Click(); });
    QObject::connect(label("lblPrev1"), &Label::Click, fr, [this] { lblPrev1_Click(); });
    QObject::connect(label("lblNext1"), &Label::MouseMove, fr, [this] { lblNext1_MouseMove(); });
    QObject::connect(label("lblPrev1"), &Label::MouseMove, fr, [this] { lblPrev1_MouseMove(); });
    QObject::connect(label("l"), &Label::MouseMove, fr, [this] { l_MouseMove(); });
    QObject::connect(label("ll"), &Label::MouseMove, fr, [this] { ll_MouseMove(); });
    connectBackLabel(*this, w, "cmd", false);
}

void Work::Form_Load() {
    for (const jobs::Job& j : jobs::Catalogue) {
        if (j.code <= jobs::LowerJobsLockedOnOpening && CurrentJob >= j.code) {
            control<CommandButton>(j.button)->setEnabled(false);
        }
    }
    auto* fr = control<Frame>("fr");
    twips::setHeight(fr, HelpFoldedHeight);
    twips::setWidth(fr, HelpFoldedWidth);
}

void Work::Form_Unload() {
    panel_.showSalary(gameState().Zarplata);
}

void Work::job_Click(std::size_t job) {
    const jobs::Job& j = jobs::Catalogue.at(job);
    GameState& s = gameState();
    if (!jobs::mayTake(j.code, s, CurrentJob)) {
        notthing();
        return;
    }
    auto* button = control<CommandButton>(j.button);
    panel_.showJob(button->text());
    if (!j.disablesAfterSound) {
        button->setEnabled(false);
    }
    s.Zarplata = j.salary;
    CurrentJob = j.code;
    PlayClick(fromUtf16(j.sound));
    if (j.disablesAfterSound) {
        button->setEnabled(false);
    }
}

void Work::notthing() {
    control<Label>("lbllbl")->setCaption(gameState().PlayerName + QLatin1Char(',') +
                                         fromUtf16(Refusal));
}

void Work::job_MouseMove(std::size_t job) {
    const JobLook& look = JobLooks.at(job);
    control<Label>("lbl2")->setCaption(fromUtf16(look.description));
    control<Label>("lblZarpl")->setCaption(fromUtf16(look.salaryText));
}

void Work::Form_MouseMove() {
    control<Label>("lbl2")->setCaption(fromUtf16(IdleDescription));
    control<Label>("lblZarpl")->setCaption(fromUtf16(IdleSalary));
    setLinkBold("lblNext1", false);
    setLinkBold("lblPrev1", false);
}

void Work::fr_Click() {
    auto* fr = control<Frame>("fr");
    const bool open = twips::width(fr) == HelpOpenWidth;
    if (open) {
        twips::setWidth(fr, HelpFoldedWidth);
        twips::setHeight(fr, HelpFoldedHeight);
    } else {
        twips::setWidth(fr, HelpOpenWidth);
        twips::setHeight(fr, HelpOpenHeight);
    }
    control<Label>("l")->setVisible(!open);
    window()->focusAroundCovers();
}

bool Work::Form_KeyDown(int key) {
    if (key == Qt::Key_F1) {
        fr_Click();
        return true;
    }
    return false;
}

void Work::showPage(bool page2) {
    auto* from = control<Label>(page2 ? "lblNext1" : "lblPrev1");
    const bool keyboard = from->hasFocus();
    for (const PageSwitch& p : PageSwitches) {
        control<Label>(p.label)->setVisible(p.onPage2 == page2);
    }
    // A page turned by the keyboard leaves it on the new page's link.
    if (keyboard) {
        control<Label>(page2 ? "lblPrev1" : "lblNext1")->setFocus(Qt::OtherFocusReason);
    }
}

void Work::lblNext1_Click() {
    showPage(true);
}
void Work::lblPrev1_Click() {
    showPage(false);
}

void Work::setLinkBold(const char* link, bool bold) {
    auto* l = control<Label>(link);
    if (l->font().bold() != bold) {
        // Through the game's fonts, so the bold file is loaded when no other label used it yet.
        l->setFont(gameFont(bold ? Comic975 : Comic975Regular));
    }
}

void Work::lblNext1_MouseMove() {
    setLinkBold("lblNext1", true);
}
void Work::l_MouseMove() {
    setLinkBold("lblNext1", false);
}
void Work::lblPrev1_MouseMove() {
    setLinkBold("lblPrev1", true);
}
void Work::ll_MouseMove() {
    setLinkBold("lblPrev1", false);
}
