#include "forms/main/vantaro.h"

#include "forms/main/vantaro_layout.h"
#include "state/clock_rules.h"
#include "state/gamestate.h"
#include "state/playclick.h"
#include "state/sounds.h"
#include "ui/controls.h"
#include "version.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QTimer>

Vantaro::Vantaro(std::span<const Opener> openers, std::function<void(courses::Id)> courseFinished)
    : Form(QStringLiteral("Vantaro")), openers_(openers),
      courseFinished_(std::move(courseFinished)) {}

void Vantaro::resetFields() {
    Hour = 0;
    Day = 0;
    Month = 0;
    llLeft = 0;
    Date = {};
    SpinAngle = 0;
}

QTimer* Vantaro::timer(const char* name) {
    return control<QTimer>(name);
}

void Vantaro::build(FormWindow& w) {
    using namespace vantaro_layout;
    setupWindow(w, ClientWidth, ClientHeight, syscolor::ButtonText);
    w.setWindowTitle(QStringLiteral("Vantaro"));
    w.setWindowIcon(QIcon(QPixmap::fromImage(readPicture(QStringLiteral(":/icons/vantaro.png")))));
    buildControls(w, Controls);

    w.findChild<PictureBox*>(QStringLiteral("PicCopy"))
        ->setPicture(readPicture(QStringLiteral(":/ship.bmp")), QStringLiteral(":/ship@2x.png"));
    w.findChild<Label*>(QStringLiteral("Label32"))
        ->setCaption(fromUtf16(HowToPlay1) + QString(HowToPlayJoinBlanks, QLatin1Char(' ')) +
                     fromUtf16(HowToPlay2));

    auto find = [&w](const char* name) { return w.findChild<Label*>(QString::fromLatin1(name)); };
    ui_.held.clear();
    ui_.lblTime = find("lblTime");
    ui_.lblDay = find("lblDay");
    ui_.lblDate = find("lblDate");
    ui_.lblYear = find("lblYear");
    ui_.lblMoney = find("lblMoney");
    ui_.lblSitost = find("lblSitost");
    ui_.ll = find("ll");
    ui_.PicSpin = w.findChild<PictureBox*>(QStringLiteral("PicSpin"));
    ui_.PicCopy = w.findChild<PictureBox*>(QStringLiteral("PicCopy"));

    for (const TimerDef& t : Timers) {
        auto* qt = new QTimer(&w);
        qt->setObjectName(QString::fromLatin1(t.name));
        qt->setInterval(t.interval);
        // The game clock must keep real time over hours of play.
        qt->setTimerType(Qt::PreciseTimer);
        if (t.enabled) {
            qt->start();
        }
    }
    ui_.tmrll = w.findChild<QTimer*>(QStringLiteral("tmrll"));
    const auto on = [&w](const char* name, auto handler) {
        auto* t = w.findChild<QTimer*>(QString::fromLatin1(name));
        QObject::connect(t, &QTimer::timeout, t, handler);
    };
    on("tmrTime", [this] { tmrTime_Timer(); });
    on("tmrll", [this] { tmrll_Timer(); });
    on("tmrSchool", [this] { tmrSchool_Timer(); });
    on("tmrTeh", [this] { tmrTeh_Timer(); });
    on("tmrCar", [this] { tmrCar_Timer(); });
    on("Timer1", [this] { Timer1_Timer(); });
    connectHelpPanel(w);
    connectOpeners(w);
    setGameSeenListener([this](bool seen) { holdWhileUnseen(seen); });
}

void Vantaro::holdWhileUnseen(bool seen) {
    // A game the player cannot see (its browser tab in the background, where the browser would
    // run the timers at a crawl) waits for them: the clock, the courses and the ship go on when
    // it is seen again.
    if (window() == nullptr) {
        return;
    }
    if (!seen && ui_.held.isEmpty()) {
        const auto timers = window()->findChildren<QTimer*>();
        for (QTimer* t : timers) {
            if (t->isActive()) {
                t->stop();
                ui_.held.append(t);
            }
        }
    } else if (seen) {
        for (const QPointer<QTimer>& t : std::as_const(ui_.held)) {
            if (t != nullptr) {
                t->start();
            }
        }
        ui_.held.clear();
    }
}

void Vantaro::connectOpeners(FormWindow& w) {
    for (const Opener& o : openers_) {
        auto* label = w.findChild<Label*>(QString::fromLatin1(o.label));
        label->setButtonLike(true);
        QObject::connect(label, &Label::MouseDown, label,
                         [this, label] { opener_MouseDown(label); });
        QObject::connect(label, &Label::MouseUp, label,
                         [this, label, screen = o.screen] { opener_MouseUp(label, screen()); });
    }
}

void Vantaro::opener_MouseDown(Label* opener) {
    opener->setBorderStyle(1);
}

void Vantaro::opener_MouseUp(Label* opener, Form& screen) {
    opener->setBorderStyle(0);
    PlayClick(sound::Click);
    // Loads the screen when it is not loaded; an open screen only comes to the front.
    screen.show();
}

void Vantaro::connectHelpPanel(FormWindow& w) {
    auto* frfr = w.findChild<Frame*>(QStringLiteral("frfr"));
    QObject::connect(frfr, &Frame::Click, frfr, [this] { frfr_Click(); });
    auto* fr = w.findChild<Frame*>(QStringLiteral("fr"));
    QObject::connect(fr, &Frame::Click, fr, [this] { fr_Click(); });
    // The About panel opens only by a click on it: the keyboard has to reach it as well.
    fr->setKeyboardClick(true);
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
    // The same goes for the About text on its panel.
    auto* about = fr->findChild<Label*>(QStringLiteral("Label19"));
    QObject::connect(about, &Label::Click, about, [this] { fr_Click(); });
}

void Vantaro::Form_Load() {
    window()->setVisible(true); // in its own size and place, as Form::show() shows a screen
    Day = 1;
    Month = 1;
    Date = clock_rules::StartDate;
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
    window()->focusAroundCovers();
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
