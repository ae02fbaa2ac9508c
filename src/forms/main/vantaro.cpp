#include "forms/main/vantaro.h"

#include "forms/main/vantaro_layout.h"
#include "state/gamestate.h"
#include "ui/controls.h"
#include "version.h"

#include <QIcon>
#include <QImage>
#include <QTimer>

Vantaro& vantaro() {
    static Vantaro form;
    return form;
}

Vantaro::Vantaro() : Form(QStringLiteral("Vantaro")) {}

QTimer* Vantaro::timer(const char* name) {
    return control<QTimer>(name);
}

void Vantaro::build(FormWindow& w) {
    using namespace vantaro_layout;
    setupWindow(w, ClientWidth, ClientHeight, syscolor::ButtonText);
    w.setWindowTitle(QStringLiteral("Vantaro"));
    w.setWindowIcon(QIcon(QStringLiteral(":/icons/vantaro.png")));
    buildControls(w, Controls);

    w.findChild<PictureBox*>(QStringLiteral("PicCopy"))
        ->setPicture(QImage(QStringLiteral(":/ship.bmp")));
    w.findChild<Label*>(QStringLiteral("Label32"))
        ->setCaption(fromUtf16(HowToPlay1) + QString(HowToPlayJoinBlanks, QLatin1Char(' ')) +
                     fromUtf16(HowToPlay2));

    for (const TimerDef& t : Timers) {
        auto* timer = new QTimer(&w);
        timer->setObjectName(QString::fromLatin1(t.name));
        timer->setInterval(t.interval);
        timer->setTimerType(Qt::PreciseTimer);
        if (t.enabled) {
            timer->start();
        }
    }
    connectHelpPanel(w);
}

void Vantaro::connectHelpPanel(FormWindow& w) {
    auto* frfr = w.findChild<Frame*>(QStringLiteral("frfr"));
    QObject::connect(frfr, &Frame::Click, frfr, [this] { frfr_Click(); });
    auto* fr = w.findChild<Frame*>(QStringLiteral("fr"));
    QObject::connect(fr, &Frame::Click, fr, [this] { fr_Click(); });
    // The panel's labels have no click of their own, so a click on them is a click on the
    // panel; only the author line does something else.
    const auto labels = frfr->findChildren<Label*>();
    for (Label* l : labels) {
        if (l->objectName() == QLatin1String("Label34")) {
            QObject::connect(l, &Label::Click, l, [this] { Label34_Click(); });
        } else {
            QObject::connect(l, &Label::Click, l, [this] { frfr_Click(); });
        }
    }
}

void Vantaro::Form_Load() {
    window()->show();
    Day = 1;
    Month = 1;
    GameState& s = gameState();
    applyStartingValues(s);
    control<Label>("lblSitost")->setCaption(s.Sitost.str());
    control<Label>("lblDate")->setCaption(Month.str());
    control<Label>("lblDay")->setCaption(Day.str());
    control<Label>("lblName")->setCaption(s.PlayerName);
    control<Label>("lblMoney")->setCaption(s.Money.str());
    if (s.HomeRooms == 0) {
        control<Label>("lblHome")->setCaption(QStringLiteral("БОМЖ"));
    }
    if (s.MebelLevel == 0) {
        control<Label>("lblMebel")->setCaption(QStringLiteral("Нет"));
    }
    if (s.VannaLevel == 0) {
        control<Label>("lblVanna")->setCaption(QStringLiteral("Нет"));
    }
    using namespace vantaro_layout;
    twips::setGeometry(control<Frame>("frfr"), {0, 0, HelpFoldedWidth, HelpLoadHeight});
    control<Label>("lblVersion")->setCaption(version::text());
}

void Vantaro::frfr_Click() {
    using namespace vantaro_layout;
    auto* frfr = control<Frame>("frfr");
    twips::Rect r = twips::geometry(frfr);
    const bool open = r.width == HelpFoldedWidth;
    r.width = open ? HelpOpenWidth : HelpFoldedWidth;
    r.height = open ? HelpOpenHeight : HelpFoldedHeight;
    twips::setGeometry(frfr, r);
    control<Label>("lbl")->setVisible(open);
    frfr->raise();
}

void Vantaro::fr_Click() {
    using namespace vantaro_layout;
    auto* fr = control<Frame>("fr");
    twips::Rect r = twips::geometry(fr);
    if (r.height == AboutOpenHeight) {
        r.height = AboutFoldedHeight;
        r.top = AboutFoldedTop;
    } else {
        r.height = AboutOpenHeight;
        r.top = AboutOpenTop;
    }
    twips::setGeometry(fr, r);
}

void Vantaro::Label34_Click() {
    frfr_Click();
    if (twips::height(control<Frame>("fr")) == vantaro_layout::AboutFoldedHeight) {
        fr_Click();
    }
}

bool Vantaro::Form_KeyDown(int key) {
    if (key == Qt::Key_F1) {
        frfr_Click();
        return true;
    }
    return false;
}

void Vantaro::Form_Unload() {
    EndProgram();
}
