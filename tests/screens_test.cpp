// Every screen in every state the player can reach, walked twice: every caption must fit its box
// and read as tests/captions.txt has it, and what the player sees must match the reference
// picture kept under tests/pictures.
#include "forms/car/car.h"
#include "forms/children/children.h"
#include "forms/home/home.h"
#include "forms/shop/shop.h"
#include "forms/work/work.h"
#include "game_fixture.h"
#include "ui/colors.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QRawFont>
#include <QStyleOptionButton>

#include <cstdlib>
#include <functional>
#include <string>

namespace {

// A pixel matches its reference when no channel differs by more than this many levels of 255:
// Qt blends antialiased text with processor-specific code that may round a level or two
// differently on another machine. A changed colour, word, weight or position differs by far more.
constexpr int Tolerance = 2;

// Twenty characters, the most the name field takes.
const QString LongName = QStringLiteral("Владислав Шишковский");
// Twenty of the widest character a Russian or English keyboard types, wider than «Ю» and «Ш».
const QString WidestName = QString(20, QChar(u'№'));

// The text a control shows.
QString captionOf(const QWidget* w) {
    if (const auto* l = qobject_cast<const Label*>(w)) {
        return l->caption();
    }
    if (const auto* f = qobject_cast<const Frame*>(w)) {
        return f->caption();
    }
    if (const auto* b = qobject_cast<const QAbstractButton*>(w)) {
        return b->text();
    }
    if (const auto* e = qobject_cast<const QLineEdit*>(w)) {
        return e->text();
    }
    return {};
}

// Why a control's caption does not fit, or an empty string.
QString misfit(const QWidget* w) {
    const QFontMetrics fm(w->font());
    // Across, a line takes its advance, as the labels wrap by it; down, the ink of its letters.
    const auto lineBox = [&fm](const QString& line, int x, int baseline) {
        const QRect ink = fm.tightBoundingRect(line);
        return QRect(x, baseline + ink.top(), fm.horizontalAdvance(line), ink.height());
    };
    QRect area = w->rect();
    QRect ink;
    QString shown;
    const QString caption = captionOf(w);
    if (const auto* l = qobject_cast<const Label*>(w)) {
        if (l->borderStyle() != 0) {
            area.adjust(1, 1, -1, -1);
        }
        // Where Label::paintEvent puts each line.
        int y = area.top() + fm.ascent();
        for (const QString& line : l->wrappedLines()) {
            const int width = fm.horizontalAdvance(line);
            const int x = l->align() == Align::Center  ? area.left() + (area.width() - width) / 2
                          : l->align() == Align::Right ? area.right() + 1 - width
                                                       : area.left();
            ink |= lineBox(line, x, y);
            shown += line + QLatin1Char(' ');
            y += fm.height();
        }
    } else if (qobject_cast<const Frame*>(w) != nullptr) {
        shown = caption;
        ink = lineBox(caption, 8, fm.ascent()); // where Frame paints it
    } else if (const auto* b = qobject_cast<const CommandButton*>(w)) {
        QStyleOptionButton opt;
        opt.initFrom(b);
        opt.rect = b->rect();
        area = b->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, b);
        shown = caption;
        ink = fm.boundingRect(area, Qt::AlignCenter | Qt::TextWordWrap, caption);
        if (!b->isEnabled()) {
            ink |= ink.translated(1, 1); // the embossed light copy
        }
    } else {
        return {};
    }
    if (caption.trimmed().isEmpty()) {
        return {};
    }
    // The weight of the file the letters come from, as its OS/2 table states it: a face whose
    // other weight is missing is drawn from the one there is.
    const QByteArray os2 = QRawFont::fromFont(w->font()).fontTable("OS/2");
    const int weight =
        os2.size() < 6 ? 0 : (static_cast<uchar>(os2[4]) << 8) | static_cast<uchar>(os2[5]);
    const QString family = QFontInfo(w->font()).family();
    if ((weight >= QFont::DemiBold) != w->font().bold() || family != w->font().family()) {
        return QStringLiteral("renders in %1 of weight %2").arg(family).arg(weight);
    }
    if (shown.split(QLatin1Char(' '), Qt::SkipEmptyParts) !=
        caption.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        return QStringLiteral("cuts a word");
    }
    if (!area.contains(ink)) {
        return QStringLiteral("text %1x%2 at %3,%4 outside %5x%6")
            .arg(ink.width())
            .arg(ink.height())
            .arg(ink.x())
            .arg(ink.y())
            .arg(area.width())
            .arg(area.height());
    }
    return {};
}

// The screens on show.
std::vector<Form*> shownScreens() {
    std::vector<Form*> out;
    for (Form* form :
         {static_cast<Form*>(&begin()), static_cast<Form*>(&vantaro()), static_cast<Form*>(&shop()),
          static_cast<Form*>(&work()), static_cast<Form*>(&home()), static_cast<Form*>(&car()),
          static_cast<Form*>(&children())}) {
        if (form->isLoaded() && form->window()->isVisible()) {
            out.push_back(form);
        }
    }
    return out;
}

// Every visible control of every loaded screen that does not fit, by screen and name.
QStringList misfits() {
    QStringList out;
    for (Form* form : shownScreens()) {
        for (const QWidget* w : form->window()->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(form->window())) {
                continue;
            }
            const QString why = misfit(w);
            if (!why.isEmpty()) {
                out << form->name() + QLatin1Char('.') + w->objectName() + QLatin1String(": ") +
                           why;
            }
        }
    }
    out.removeDuplicates();
    return out;
}

// A caption as a line of the reference text: quoted, so that leading and trailing blanks show,
// with its line breaks written out.
QString quoted(QString text) {
    text.replace(QLatin1Char('\r'), QLatin1String("\\r"))
        .replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// What the player reads on the screens on show: each window's title, each control's caption and
// tip, by screen and name; not what a folded panel hides, a sliver shorter than a letter included.
QStringList captions() {
    QStringList out;
    for (Form* form : shownScreens()) {
        out << form->name() + QLatin1String(" title ") + quoted(form->window()->windowTitle());
        for (const QWidget* w : form->window()->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(form->window()) || form->window()->isCovered(w) ||
                w->visibleRegion().boundingRect().height() < QFontMetrics(w->font()).ascent()) {
                continue;
            }
            const QString name = form->name() + QLatin1Char('.') + w->objectName();
            if (!captionOf(w).trimmed().isEmpty()) {
                out << name + QLatin1Char(' ') + quoted(captionOf(w));
            }
            if (!w->toolTip().isEmpty()) {
                out << name + QLatin1String(" tip ") + quoted(w->toolTip());
            }
        }
    }
    return out;
}

bool writingReferences() {
    return qEnvironmentVariableIsSet("VANTARO_WRITE_REFERENCES");
}

// The captions of the whole walk against the reference text; a mismatch leaves the actual text
// beside the test's output.
void compareWithReference(const QString& actual) {
    QFile ref(QStringLiteral(VANTARO_CAPTIONS_FILE));
    if (writingReferences()) {
        EXPECT_TRUE(ref.open(QIODevice::WriteOnly) && ref.write(actual.toUtf8()) >= 0);
        return;
    }
    const QString expected =
        ref.open(QIODevice::ReadOnly) ? QString::fromUtf8(ref.readAll()) : QString();
    if (expected == actual) {
        return;
    }
    const QStringList e = expected.split(QLatin1Char('\n'));
    const QStringList a = actual.split(QLatin1Char('\n'));
    qsizetype line = 0;
    while (line < e.size() && line < a.size() && e[line] == a[line]) {
        ++line;
    }
    const QString path = QDir::current().filePath(QStringLiteral("captions.actual.txt"));
    QFile out(path);
    const bool saved = out.open(QIODevice::WriteOnly) && out.write(actual.toUtf8()) >= 0;
    ADD_FAILURE() << "the captions differ from " VANTARO_CAPTIONS_FILE " in line " << line + 1
                  << "\n  expected: " << e.value(line).toStdString()
                  << "\n  actual:   " << a.value(line).toStdString()
                  << "\n  actual text: " << (saved ? path.toStdString() : "not saved")
                  << "\n  (after a deliberate change of a text: tools/make_references.sh)";
}

// Every keyboard stop of every shown screen whose focus ring, as Tab brings it up, is not drawn
// whole in its window: what Tab changes on the stop must show each side of its box. The name
// field shows its caret instead.
QStringList brokenRings() {
    QStringList out;
    QList<QPointer<FormWindow>> windows; // coming forward lets closed screens' windows go
    for (QWidget* top : QApplication::topLevelWidgets()) {
        windows << qobject_cast<FormWindow*>(top);
    }
    for (FormWindow* window : windows) {
        if (window == nullptr || !window->isVisible()) {
            continue;
        }
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window)) << window->objectName().toStdString();
        Label::setKeyboardNavigation(false); // at rest, as after a mouse press
        QImage rest = window->grab().toImage();
        for (QSet<QWidget*> seen;;) {
            QWidget* from = window->focusWidget();
            QTest::keyClick(from != nullptr ? from : window, Qt::Key_Tab);
            QWidget* stop = window->focusWidget();
            if (stop == nullptr || seen.contains(stop)) {
                break;
            }
            seen << stop;
            const QImage ring = window->grab().toImage();
            const qreal dpr = ring.devicePixelRatio();
            const QRect area =
                QRect(stop->mapTo(window, QPoint()) * dpr, stop->size() * dpr) & ring.rect();
            const auto changed = [&](int x, int y) { return ring.pixel(x, y) != rest.pixel(x, y); };
            QRect box;
            for (int y = area.top(); y <= area.bottom(); ++y) {
                for (int x = area.left(); x <= area.right(); ++x) {
                    box |= changed(x, y) ? QRect(x, y, 1, 1) : QRect();
                }
            }
            int sides = 0;
            for (int y = box.top() + 1; y < box.bottom(); ++y) {
                sides |= int(changed(box.left(), y)) | int(changed(box.right(), y)) << 1;
            }
            for (int x = box.left() + 1; x < box.right(); ++x) {
                sides |= int(changed(x, box.top())) << 2 | int(changed(x, box.bottom())) << 3;
            }
            if (sides != 0b1111 && qobject_cast<QLineEdit*>(stop) == nullptr) {
                out << window->objectName() + QLatin1Char('.') + stop->objectName() +
                           QStringLiteral(": no whole focus ring in the window");
            }
            rest = ring;
        }
    }
    return out;
}

class Screens : public GameTest {
protected:
    // Called wherever the screens are worth a look on the way to a state.
    using Seen = std::function<void()>;
    struct State {
        const char* name;
        // The reference picture's name; none for states only the fit walk visits.
        const char* picture;
        // The pictures at scale 2 are taken only in the run at that scale, the others only at 1.
        int pictureScale;
        std::function<Form&(const Seen&)> drive;
    };
    static const std::vector<State>& states();

    // The start screen confirmed with `name`, then the main screen with time standing still and
    // the ship at a fixed angle.
    static Vantaro& start(const QString& name) {
        begin().show();
        typeText(ctl<QLineEdit>(begin(), "Text1"), name);
        click(ctl(begin(), "Label2"));
        Vantaro& v = vantaro();
        stopTimers();
        v.SpinAngle = 0.12;
        v.Timer1_Timer();
        return v;
    }
    // Opens a secondary screen through its opener on the main screen.
    static Form& open(const char* opener, Form& screen) {
        click(ctl(vantaro(), opener));
        return screen;
    }
    static void hoverEveryButton(Form& screen, const Seen& seen) {
        for (CommandButton* b : screen.window()->findChildren<CommandButton*>()) {
            if (b->isEnabled()) {
                moveOver(b);
                seen();
            }
        }
        moveOver(screen.window());
        seen();
    }
    static void buyEverything(const Seen& seen) {
        gameState().Money = 30000;
        Form& c = open("cmdKorabl", car());
        // One round more than there are levels: a piece that needs another is bought a round late.
        for (int round = 0; round <= 5; ++round) {
            for (CommandButton* b : c.window()->findChildren<CommandButton*>()) {
                click(b);
            }
            seen();
        }
    }
};

const std::vector<Screens::State>& Screens::states() {
    static const std::vector<State> all{
        {"start screen", "begin", 1,
         [](const Seen&) -> Form& {
             begin().show();
             return begin();
         }},
        {"start screen with a name", "begin_name", 1,
         [](const Seen&) -> Form& {
             begin().show();
             typeText(ctl<QLineEdit>(begin(), "Text1"), LongName);
             return begin();
         }},
        {"start screen after the blank-name message", "begin_blank", 1,
         [](const Seen&) -> Form& {
             begin().show();
             typeText(ctl<QLineEdit>(begin(), "Text1"), QStringLiteral("  "));
             click(ctl(begin(), "Label2"));
             return begin();
         }},
        {"main screen", "main", 1, [](const Seen&) -> Form& { return start(LongName); }},
        {"main screen, the widest name", nullptr, 1,
         [](const Seen&) -> Form& { return start(WidestName); }},
        {"main screen at scale 2", "main@2x", 2,
         [](const Seen&) -> Form& { return start(QStringLiteral("Петя")); }},
        {"main screen, a rich start", "main_rich", 1,
         [](const Seen&) -> Form& { return start(QStringLiteral("Вилт")); }},
        {"main screen, help", "main_help", 1,
         [](const Seen&) -> Form& {
             Vantaro& v = start(QStringLiteral("Петя"));
             QTest::keyClick(v.window(), Qt::Key_F1);
             return v;
         }},
        {"main screen, about", "main_about", 1,
         [](const Seen&) -> Form& {
             Vantaro& v = start(QStringLiteral("Петя"));
             click(ctl<Frame>(v, "fr"));
             return v;
         }},
        {"main screen, hunger warning", "main_hunger", 1,
         [](const Seen&) -> Form& {
             Vantaro& v = start(QStringLiteral("Петя"));
             while (!ctl(v, "ll")->isVisibleTo(v.window())) {
                 passHour();
             }
             stopTimers();
             for (int step = 0; step < 40; ++step) {
                 v.tmrll_Timer();
             }
             return v;
         }},
        {"main screen in debt and hungry", "main_red", 1,
         [](const Seen&) -> Form& {
             Vantaro& v = start(QStringLiteral("Петя"));
             Form& c = open("cmdSchool", children());
             for (CommandButton* b : c.window()->findChildren<CommandButton*>()) {
                 click(b);
             }
             click(ctl(c, "cmd"));
             while (gameState().Money >= 0) {
                 passHour();
             }
             return v;
         }},
        {"main screen, all equipment at the top", "main_top", 1,
         [](const Seen& seen) -> Form& {
             start(QStringLiteral("Петя"));
             buyEverything(seen);
             return vantaro();
         }},
        {"ship shop, everything bought", "car_all", 1,
         [](const Seen& seen) -> Form& {
             start(QStringLiteral("Петя"));
             buyEverything(seen);
             return car();
         }},
        {"food shop", "shop", 1,
         [](const Seen&) -> Form& {
             start(QStringLiteral("Петя"));
             return open("lblShop", shop());
         }},
        {"food shop, hover", "shop_hover", 1,
         [](const Seen&) -> Form& {
             start(QStringLiteral("Петя"));
             Form& f = open("lblShop", shop());
             moveOver(ctl<CommandButton>(f, "cmdObed"));
             return f;
         }},
        {"food shop, breakfast held down", "shop_pressed", 1,
         [](const Seen&) -> Form& {
             start(QStringLiteral("Петя"));
             Form& f = open("lblShop", shop());
             auto* b = ctl<CommandButton>(f, "cmdZavtrak");
             moveOver(b);
             // Sent as it is rather than through the test library, which would remember the
             // button as held for every later case.
             QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5),
                               b->mapToGlobal(QPointF(5, 5)), Qt::LeftButton, Qt::LeftButton,
                               Qt::NoModifier);
             QCoreApplication::sendEvent(b, &press);
             return f;
         }},
        {"jobs", "work", 1,
         [](const Seen&) -> Form& {
             start(QStringLiteral("Петя"));
             return open("cmdWork", work());
         }},
        {"jobs, hover", "work_hover", 1,
         [](const Seen&) -> Form& {
             start(QStringLiteral("Петя"));
             Form& f = open("cmdWork", work());
             moveOver(ctl<CommandButton>(f, "KosmDalnoboishik"));
             return f;
         }},
        {"jobs, help page 1", "work_help1", 1,
         [](const Seen& seen) -> Form& {
             start(QStringLiteral("Петя"));
             Form& f = open("cmdWork", work());
             click(ctl<Frame>(f, "fr"));
             seen();
             moveOver(ctl(f, "lblNext1"));
             seen();
             moveOver(ctl(f, "l"));
             return f;
         }},
        {"jobs, help page 2", "work_help2", 1,
         [](const Seen& seen) -> Form& {
             start(QStringLiteral("Петя"));
             Form& f = open("cmdWork", work());
             click(ctl<Frame>(f, "fr"));
             click(ctl(f, "lblNext1"));
             moveOver(ctl(f, "lblPrev1"));
             seen();
             moveOver(ctl(f, "ll"));
             return f;
         }},
        {"jobs, a button reached by the keyboard", "work_keyboard", 1,
         [](const Seen&) -> Form& {
             start(QStringLiteral("Петя"));
             Form& f = open("cmdWork", work());
             f.window()->activateWindow();
             EXPECT_TRUE(QTest::qWaitForWindowActive(f.window()));
             QTest::keyClick(f.window(), Qt::Key_Tab);
             return f;
         }},
        {"jobs, refused", "work_refused", 1,
         [](const Seen&) -> Form& {
             start(LongName);
             Form& f = open("cmdWork", work());
             click(ctl<CommandButton>(f, "ChastTaxist"));
             return f;
         }},
        {"flat", "home", 1,
         [](const Seen&) -> Form& {
             start(QStringLiteral("Петя"));
             return open("cmdHome", home());
         }},
        {"flat, hover", "home_hover", 1,
         [](const Seen&) -> Form& {
             start(QStringLiteral("Петя"));
             Form& f = open("cmdHome", home());
             moveOver(f.window()->findChildren<CommandButton*>().front());
             return f;
         }},
        {"ship shop", "car", 1,
         [](const Seen&) -> Form& {
             start(QStringLiteral("Петя"));
             return open("cmdKorabl", car());
         }},
        {"ship shop, hover", "car_hover", 1,
         [](const Seen&) -> Form& {
             start(QStringLiteral("Петя"));
             Form& f = open("cmdKorabl", car());
             moveOver(ctl<CommandButton>(f, "cmd1"));
             return f;
         }},
        {"education", "children", 1,
         [](const Seen&) -> Form& {
             start(QStringLiteral("Петя"));
             return open("cmdSchool", children());
         }},
        {"education, hover", "children_hover", 1,
         [](const Seen&) -> Form& {
             start(QStringLiteral("Петя"));
             Form& f = open("cmdSchool", children());
             moveOver(f.window()->findChildren<CommandButton*>().front());
             return f;
         }},
        {"every hover line", nullptr, 1,
         [](const Seen& seen) -> Form& {
             start(QStringLiteral("Петя"));
             // The anti-radar and the defence complex take the pointer once the radar and the
             // hull they need are bought.
             Form& c = open("cmdKorabl", car());
             click(ctl<CommandButton>(c, "cmd1"));
             click(ctl<CommandButton>(c, "cmd7"));
             for (const auto& [opener, screen] : {std::pair<const char*, Form*>{"lblShop", &shop()},
                                                  {"cmdWork", &work()},
                                                  {"cmdHome", &home()},
                                                  {"cmdKorabl", &car()},
                                                  {"cmdSchool", &children()}}) {
                 hoverEveryButton(open(opener, *screen), seen);
             }
             return vantaro();
         }},
        {"every level", nullptr, 1,
         [](const Seen& seen) -> Form& {
             Vantaro& v = start(QStringLiteral("Петя"));
             buyEverything(seen);
             Form& h = open("cmdHome", home());
             for (int round = 0; round < 5; ++round) {
                 for (CommandButton* b : h.window()->findChildren<CommandButton*>()) {
                     click(b);
                 }
                 seen();
             }
             Form& c = open("cmdSchool", children());
             for (CommandButton* b : c.window()->findChildren<CommandButton*>()) {
                 click(b);
             }
             for (int hour = 0; hour < 900; ++hour) {
                 v.tmrSchool_Timer();
                 v.tmrTeh_Timer();
                 v.tmrCar_Timer();
                 if (hour % 10 == 0) {
                     seen();
                 }
             }
             // Everything at the top: every job is open to the player, one after the other.
             Form& w = open("cmdWork", work());
             for (CommandButton* b : w.window()->findChildren<CommandButton*>()) {
                 click(b);
                 seen();
             }
             EXPECT_EQ(ctl(v, "lblWork")->caption(),
                       QStringLiteral("Vantaro.  Истребитель космических пиратов"));
             return c;
         }},
    };
    return all;
}

// Every caption fits, and reads as the reference text has it: each state a heading, then every
// line shown on the way there, message boxes included.
TEST_F(Screens, EveryCaptionFitsItsBox) {
    const int scale = qRound(qApp->devicePixelRatio());
    QString text;
    std::size_t boxesRead = 0;
    for (const State& s : states()) {
        QStringList bad;
        QStringList read;
        const auto look = [&] {
            bad << misfits();
            read << captions();
            for (; boxesRead < boxes.size(); ++boxesRead) {
                read << QLatin1String("message ") + quoted(boxes[boxesRead].title) +
                            QLatin1Char(' ') + quoted(boxes[boxesRead].text);
            }
        };
        s.drive(look);
        look();
        bad << brokenRings();
        bad.removeDuplicates();
        read.removeDuplicates();
        text += QLatin1String("# ") + QLatin1String(s.name) + QLatin1Char('\n') +
                read.join(QLatin1Char('\n')) + QLatin1String("\n\n");
        EXPECT_TRUE(bad.isEmpty()) << s.name << " at scale " << scale << ":\n  "
                                   << bad.join(QStringLiteral("\n  ")).toStdString();
        reset();
    }
    compareWithReference(text);
}

// Where the references live, and where a mismatch leaves its pictures.
QString referencePath(const char* name) {
    return QStringLiteral(VANTARO_PICTURES_DIR "/%1.png").arg(QLatin1String(name));
}

TEST_F(Screens, EveryScreenLooksLikeItsPicture) {
    const qreal dpr = qApp->devicePixelRatio();
    if (dpr != 1 && dpr != 2) {
        GTEST_SKIP() << "the pictures are drawn at scale 1 and 2, not " << dpr;
    }
    // The system colours the layouts name are those the classic controls are drawn in.
    for (const auto& [sys, role] : {std::pair{syscolor::ButtonFace, QPalette::Button},
                                    {syscolor::ButtonText, QPalette::ButtonText},
                                    {syscolor::Menu, QPalette::Window},
                                    {syscolor::MenuText, QPalette::WindowText},
                                    {syscolor::WindowBackground, QPalette::Base},
                                    {syscolor::WindowText, QPalette::Text},
                                    {syscolor::HighlightText, QPalette::HighlightedText}}) {
        EXPECT_EQ(vbColor(sys).name(), QApplication::palette().color(role).name())
            << "palette role " << role;
    }
    // The text cursor stays lit instead of blinking, so it shows the same in every picture.
    QApplication::setCursorFlashTime(0);
    const bool write = writingReferences();
    const QDir out(QDir::current().filePath(QStringLiteral("pictures")));
    for (const State& s : states()) {
        if (s.picture == nullptr || s.pictureScale != dpr) {
            continue;
        }
        SCOPED_TRACE(s.name);
        Form& form = s.drive([] {});
        // The screen the player looks at is the active one, with its keyboard focus showing.
        form.window()->activateWindow();
        QCoreApplication::processEvents();
        const QImage actual =
            form.window()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        reset();
        const QString ref = referencePath(s.picture);
        if (write) {
            EXPECT_TRUE(actual.save(ref)) << ref.toStdString();
            continue;
        }
        const QImage expected = QImage(ref).convertToFormat(QImage::Format_ARGB32);
        QImage diff = expected.size() == actual.size() ? expected : actual;
        int differing = expected.size() == actual.size() ? 0 : -1;
        if (differing == 0) {
            // The reference dimmed, each differing pixel in full red.
            QPainter(&diff).fillRect(diff.rect(), QColor(255, 255, 255, 190));
            for (int y = 0; y < actual.height(); ++y) {
                const auto* a = reinterpret_cast<const QRgb*>(actual.constScanLine(y));
                const auto* e = reinterpret_cast<const QRgb*>(expected.constScanLine(y));
                for (int x = 0; x < actual.width(); ++x) {
                    if (std::abs(qRed(a[x]) - qRed(e[x])) > Tolerance ||
                        std::abs(qGreen(a[x]) - qGreen(e[x])) > Tolerance ||
                        std::abs(qBlue(a[x]) - qBlue(e[x])) > Tolerance) {
                        diff.setPixel(x, y, qRgb(255, 0, 0));
                        ++differing;
                    }
                }
            }
        }
        if (differing != 0) {
            QDir().mkpath(out.path());
            const QString actualPath = out.filePath(QLatin1String(s.picture) + ".actual.png");
            const QString diffPath = out.filePath(QLatin1String(s.picture) + ".diff.png");
            actual.save(actualPath);
            diff.save(diffPath);
            ADD_FAILURE() << s.name << ": "
                          << (differing < 0 ? "size differs from"
                                            : std::to_string(differing) + " pixels differ from")
                          << " " << ref.toStdString() << "\n  actual: " << actualPath.toStdString()
                          << "\n  difference: " << diffPath.toStdString()
                          << "\n  (after a deliberate change of the look: "
                             "tools/make_references.sh)";
        }
    }
}

} // namespace
