#pragma once

#include "state/courses.h"
#include "state/gamestate.h"
#include "ui/layout.h"

#include <array>

namespace vantaro_layout {

inline constexpr int ClientWidth = 10905;
inline constexpr int ClientHeight = 7230;

inline constexpr FontDef Bold975{Face::MSSansSerif, 9.75, true};
inline constexpr FontDef Bold825{Face::MSSansSerif, 8.25, true};
inline constexpr FontDef Comic975{Face::ComicSansMS, 9.75, true};
inline constexpr FontDef Comic1125{Face::ComicSansMS, 11.25, true};

inline constexpr std::uint32_t DarkBlue = 0xC00000;
inline constexpr std::uint32_t PanelGrey = 0x808080;

// Help panel sizes.
inline constexpr int HelpFoldedWidth = 1125;
inline constexpr int HelpLoadHeight = 255;
inline constexpr int HelpFoldedHeight = 225;
inline constexpr int HelpOpenWidth = 10845;
inline constexpr int HelpOpenHeight = 7185;
// About-the-author panel: folded at the bottom, unfolded upwards.
inline constexpr int AboutFoldedTop = 6600;
inline constexpr int AboutFoldedHeight = 255;
inline constexpr int AboutOpenTop = 4920;
inline constexpr int AboutOpenHeight = 1935;

inline constexpr int HowToPlayJoinBlanks = 76;
inline constexpr const char16_t* HowToPlay1 =
    u" Играть в эту игру очень даже просто. С самого начала вы вводите своё имя (не более 20 "
    u"символов). Затем выбираете себе работу (чем пристижнее, тем больше зарплата). Покупаете "
    u"оборудование для своего корабля. Покупаете и обустраиваете квартиру (только это вам пока не "
    u"понадобится! пока!..). Поступаете в учебные заведения. В каждом заведении вы будете получать "
    u"образование. Уровени образованности будет увеличиваться: в школе каждые 100 часов, в "
    u"тех.училище каждые 150 часов, а в школе вождения каждые 170 часов.";
inline constexpr const char16_t* HowToPlay2 =
    u"Ходить в магазин вы должны, когда показатель сытости вас не устраивает (каждый день сытость "
    u"уменьшается на 2). Вот, кажися, вроде, и усё! Ну, успехов вам в личн... Vantaro.";

inline constexpr const char16_t* AboutGame =
    u" Vantaro - игра про жизнь в 2080 году. Вы начинаете с пустыми карманами и пустым желудком, "
    u"а мечтаете о своём космическом корабле и о самой почётной работе во всей галактике - "
    u"истребителе космических пиратов. Часы идут без остановки: час игры пролетает за секунду, "
    u"каждый день надо есть, платить за учёбу и получать зарплату. Учитесь, работайте, "
    u"покупайте оборудование для корабля - и однажды пираты узнают ваше имя.";
inline constexpr const char16_t* AboutAuthor =
    u"Игру сделала маленькая команда Vantaro: два программиста и кот, который ходил по "
    u"клавиатуре. Спасибо, что играете!";
inline constexpr const char16_t* AuthorLine = u"Команда Vantaro, 2080";
inline constexpr const char16_t* ContactLine = u"Почта: станция Вантаро-1";

// Value labels of the status frames: centred white on black.
constexpr ControlDef value(const char* name, const char* frame, twips::Rect r,
                           const char16_t* text) {
    return {.name = name,
            .parent = frame,
            .rect = r,
            .text = text,
            .font = Bold975,
            .fore = syscolor::HighlightText,
            .back = syscolor::ButtonText,
            .flags = look::Center};
}
// Caption labels on the left of the status frames.
constexpr ControlDef caption(const char* name, const char* frame, twips::Rect r,
                             const char16_t* text) {
    return {.name = name,
            .parent = frame,
            .rect = r,
            .text = text,
            .font = Bold975,
            .fore = syscolor::HighlightText,
            .back = syscolor::ButtonText};
}
constexpr ControlDef frame(const char* name, twips::Rect r, const char16_t* text,
                           const char* parent = nullptr) {
    return {.name = name,
            .kind = Kind::Frame,
            .parent = parent,
            .rect = r,
            .text = text,
            .font = Bold825,
            .fore = color::Silver,
            .back = color::Black};
}
// Top bar: white letters on the black window.
constexpr ControlDef bar(const char* name, twips::Rect r, const char16_t* text,
                         FontDef font = Bold975, unsigned flags = 0) {
    return {.name = name,
            .rect = r,
            .text = text,
            .font = font,
            .fore = syscolor::HighlightText,
            .back = syscolor::ButtonText,
            .flags = flags};
}
constexpr ControlDef opener(const char* name, int top, const char16_t* text) {
    return {.name = name,
            .rect = {8520, top, 2295, 255},
            .text = text,
            .font = Bold975,
            .fore = color::Yellow,
            .back = DarkBlue,
            .flags = look::Center};
}
constexpr ControlDef line(const char* name, twips::Rect r, std::uint32_t color) {
    return {.name = name, .kind = Kind::Line, .rect = r, .fore = color};
}
// Help panel labels: Comic bold on grey unless transparent.
constexpr ControlDef help(const char* name, twips::Rect r, const char16_t* text, std::uint32_t fore,
                          FontDef font = Comic975, unsigned flags = 0,
                          std::uint32_t back = PanelGrey, const char16_t* tip = nullptr) {
    return {.name = name,
            .parent = "frfr",
            .rect = r,
            .text = text,
            .font = font,
            .fore = fore,
            .back = back,
            .flags = flags,
            .tip = tip};
}

inline constexpr std::array Controls{
    // Top bar
    bar("Label1", {1320, 0, 735, 255}, u"Дата:"),
    bar("lblDay", {2280, 0, 135, 240}, u"1", Bold975, look::AutoSize),
    bar("Label4", {2400, 0, 75, 240}, u"."),
    bar("lblDate", {2480, 0, 255, 240}, u"01", Bold975, look::AutoSize),
    bar("Label2", {2700, 0, 75, 240}, u"."),
    bar("lblYear", {2760, 0, 495, 240}, u"2080"),
    bar("Label3", {3360, 0, 855, 255}, u"Время:"),
    bar("lblTime", {4320, 0, 255, 255}, u"00"),
    bar("lblTime2", {4560, 0, 345, 240}, u":00"),
    line("Line3", {4920, 0, 0, 240}, color::Grey),
    line("Line4", {4935, 0, 0, 240}, syscolor::Menu),
    bar("Label5", {5040, 0, 2055, 255}, u"Мултипаспорт на имя ", Bold825),
    // Any twenty characters the field takes show whole: a long name of wide letters narrows the
    // face as far as it needs.
    ControlDef{.name = "lblName",
               .rect = {7080, 0, 2895, 255},
               .font = {Face::MicrosoftSansSerif, 9, true},
               .fore = color::White,
               .back = syscolor::ButtonText,
               .flags = look::Transparent | look::NarrowToFit},
    line("Line2", {-480, 240, 11400, 0}, color::Grey),
    line("Line1", {-480, 255, 11400, 0}, syscolor::Menu),

    // Personal status
    frame("Frame1", {120, 360, 3735, 2895}, u"Личный статус:"),
    caption("Label13", "Frame1", {120, 360, 1860, 255}, u"Сытость:"),
    value("lblSitost", "Frame1", {2280, 360, 1260, 195}, u"10"),
    caption("Label6", "Frame1", {120, 720, 1860, 255}, u"Финансы:"),
    value("lblMoney", "Frame1", {2280, 720, 1335, 255}, u"0"),
    caption("Label8", "Frame1", {120, 1080, 1860, 255}, u"Образование:"),
    value("lblSchool", "Frame1", {2160, 1080, 1455, 255}, u"Неуч"),
    caption("Label17", "Frame1", {120, 1440, 1860, 255}, u"Вождение:"),
    value("lblVodit", "Frame1", {2160, 1440, 1455, 495}, u"Не умею"),
    caption("Label9", "Frame1", {120, 2160, 1860, 255}, u"Техн. навыки:"),
    value("lblTehno", "Frame1", {2160, 2160, 1455, 495}, u"Деревянные руки"),
    frame("Frame5", {2040, 120, 30, 2655}, u"", "Frame1"),

    // Housing
    frame("Frame2", {120, 3360, 3735, 1455}, u"Жилище:"),
    caption("Label10", "Frame2", {120, 360, 1860, 255}, u"Комнат в кв-ре:"),
    value("lblHome", "Frame2", {2205, 360, 1440, 240}, u"БОМЖ"),
    caption("Label11", "Frame2", {120, 720, 1860, 255}, u"Мебель:"),
    value("lblMebel", "Frame2", {2160, 720, 1455, 255}, u"Нет"),
    caption("Label12", "Frame2", {120, 1080, 1860, 255}, u"Ванная:"),
    value("lblVanna", "Frame2", {2160, 1080, 1455, 255}, u"Нет"),
    frame("Frame6", {2040, 120, 30, 1215}, u"", "Frame2"),

    // Studies
    frame("Frame4", {120, 4920, 3735, 1935}, u"Учёба:"),
    caption("Label7", "Frame4", {120, 240, 2100, 255}, u"Школа:"),
    value("lblSchollCoin", "Frame4", {2400, 240, 1215, 255}, u"Нет"),
    caption("Label18", "Frame4", {120, 840, 2100, 255}, u"Курсы вождения:"),
    value("lblVozdCoin", "Frame4", {2400, 840, 1215, 255}, u"Нет"),
    caption("Label16", "Frame4", {120, 1440, 2100, 255}, u"Тех. училище:"),
    value("lblTehCoin", "Frame4", {2400, 1440, 1215, 255}, u"Нет"),
    frame("Frame8", {2280, 120, 30, 1695}, u"", "Frame4"),

    // Job
    frame("Frame3", {3960, 360, 4455, 2055}, u"Работа:"),
    caption("Label14", "Frame3", {120, 240, 1500, 255}, u"Профессия:"),
    value("lblWork", "Frame3", {1800, 240, 2535, 1335}, u"Нету"),
    caption("Label15", "Frame3", {120, 1680, 1500, 255}, u"Зарплата:"),
    value("lblZarplata", "Frame3", {1800, 1680, 2535, 255}, u"0"),
    frame("Frame7", {1680, 120, 30, 1815}, u"", "Frame3"),

    // Ship equipment
    frame("Frame9", {3960, 2520, 4455, 4335}, u"Тачка:"),
    caption("Label20", "Frame9", {120, 240, 1500, 255}, u"Корпус:"),
    value("lblKorpus", "Frame9", {1800, 240, 2535, 255}, u"Нет"),
    caption("Label21", "Frame9", {120, 600, 1500, 255}, u"Движок:"),
    value("lblDvigatel", "Frame9", {1800, 600, 2535, 255}, u"Нет"),
    caption("Label22", "Frame9", {120, 960, 1500, 255}, u"Пушки:"),
    value("lblPushka", "Frame9", {1800, 960, 2535, 255}, u"Нет"),
    caption("Label23", "Frame9", {120, 1320, 1500, 255}, u"Обшивка:"),
    value("lblObshivka", "Frame9", {1800, 1320, 2535, 255}, u"Нет"),
    caption("Label24", "Frame9", {120, 1680, 1500, 495}, u"Система        Наведения:"),
    value("lblSystNav", "Frame9", {1800, 1920, 2535, 255}, u"Нет"),
    caption("Label25", "Frame9", {120, 2280, 1500, 255}, u"Бак:"),
    value("lblBak", "Frame9", {1800, 2280, 2535, 255}, u"Нет"),
    caption("Label26", "Frame9", {120, 2640, 1500, 255}, u"Радар:"),
    value("lblRadar", "Frame9", {1800, 2640, 2535, 255}, u"Нет"),
    caption("Label27", "Frame9", {120, 3000, 1500, 255}, u"Антирадар:"),
    value("lblARadar", "Frame9", {1800, 3000, 2535, 255}, u"Нет"),
    caption("Label28", "Frame9", {120, 3360, 1500, 255}, u"Аккумулятор:"),
    value("lblAkkom", "Frame9", {1800, 3360, 2535, 255}, u"Нет"),
    caption("Label29", "Frame9", {120, 3720, 1500, 495}, u"Защитный     комплекс:"),
    value("lblZK", "Frame9", {1800, 3960, 2535, 255}, u"Нет"),
    frame("Frame10", {1680, 120, 30, 4095}, u"", "Frame9"),

    // Right column
    opener("lblShop", 600, u"М А Г А З И Н"),
    opener("cmdWork", 960, u"Р А Б О Т А"),
    opener("cmdHome", 1320, u"К В А Р Т И Р К А"),
    opener("cmdKorabl", 1680, u"К О Р А Б Л Ь"),
    opener("cmdSchool", 2040, u"У Ч Ё Б А"),
    ControlDef{.name = "PicSpin",
               .kind = Kind::PictureBox,
               .rect = {8520, 2400, 2295, 2295},
               .back = color::Black},
    ControlDef{.name = "PicCopy",
               .kind = Kind::PictureBox,
               .rect = {10680, 2880, 135, 135},
               .flags = look::Hidden},

    // About the author, folded at the bottom right
    ControlDef{.name = "fr",
               .kind = Kind::Frame,
               .rect = {8520, AboutFoldedTop, 2295, AboutFoldedHeight},
               .text = u"Об авторе:",
               .font = Bold825,
               .fore = color::Red,
               .back = color::Black},
    ControlDef{.name = "Label19",
               .parent = "fr",
               .rect = {120, 240, 1935, 1695},
               .text = AboutAuthor,
               .font = Bold825,
               .fore = color::Red,
               .flags = look::Transparent},

    // Hunger warning
    ControlDef{.name = "ll",
               .rect = {0, 6960, 4425, 240},
               .text = u"Голод - не тётка! Надо скорее пожрать!",
               .font = Bold975,
               .fore = color::Red,
               .flags = look::Hidden | look::Center | look::Transparent | look::AutoSize},

    // Help panel, above everything else
    ControlDef{.name = "frfr",
               .kind = Kind::Frame,
               .rect = {0, 0, HelpFoldedWidth, HelpLoadHeight},
               .text = u"Помощь",
               .font = Bold975,
               .fore = color::Yellow,
               .back = color::Black},
    help("lbl", {120, 240, 10575, 6855}, u"", color::Black, Comic975, look::Hidden, 0x404040),
    help("lblVersion", {240, 360, 10335, 255}, u"", 0x00FF00, Comic975, look::Center),
    help("Label30", {240, 720, 10335, 255}, u"Об игре", 0x80FF80, Comic1125, look::Center),
    help("Label36", {215, 730, 10335, 255}, u"Об игре", 0x004000, Comic1125,
         look::Center | look::Transparent, PanelGrey, u"Об игре"),
    help("lbl3", {240, 960, 10335, 2055}, AboutGame, 0xC0FFC0),
    help("Label35", {230, 2110, 3135, 255}, ContactLine, 0x008000, Comic975, look::Transparent),
    help("Label31", {240, 3120, 10335, 285}, u"Как играть", 0x80FFFF, Comic1125, look::Center),
    help("Label37", {230, 3130, 10335, 255}, u"Как играть", 0x00C0C0, Comic1125,
         look::Center | look::Transparent, PanelGrey, u"Как играть"),
    help("Label32", {240, 3360, 10335, 2295}, u"", 0xC0FFFF),
    help("Label33", {7800, 6600, 2595, 255}, AuthorLine, color::Red, Comic975, look::Right,
         0x404040),
    help("Label34", {7790, 6610, 2655, 255}, AuthorLine, 0xFFFF00, Comic975, look::Transparent),
};

// Timers of the main screen: name, interval in ms, running from the start.
struct TimerDef {
    const char* name;
    int interval;
    bool enabled;
};
inline constexpr std::array Timers{
    TimerDef{"tmrTime", 1000, true},    TimerDef{"tmrll", 50, false},
    TimerDef{"tmrSchool", 1000, false}, TimerDef{"tmrCar", 1000, false},
    TimerDef{"tmrTeh", 1000, false},    TimerDef{"Timer1", 10, true},
};

// The labels that show a ladder's level, by the field that holds it.
struct LevelLabel {
    Int16 GameState::*level;
    const char* label;
};
inline constexpr std::array HousingLabels{
    LevelLabel{&GameState::HomeRooms, "lblHome"},
    LevelLabel{&GameState::MebelLevel, "lblMebel"},
    LevelLabel{&GameState::VannaLevel, "lblVanna"},
};
inline constexpr std::array EquipmentLabels{
    LevelLabel{&GameState::Korpus, "lblKorpus"},   LevelLabel{&GameState::Dvigatel, "lblDvigatel"},
    LevelLabel{&GameState::Pushka, "lblPushka"},   LevelLabel{&GameState::Obshivka, "lblObshivka"},
    LevelLabel{&GameState::SystNav, "lblSystNav"}, LevelLabel{&GameState::Bak, "lblBak"},
    LevelLabel{&GameState::Radar, "lblRadar"},     LevelLabel{&GameState::ARadar, "lblARadar"},
    LevelLabel{&GameState::Akkom, "lblAkkom"},     LevelLabel{&GameState::ZK, "lblZK"},
};

// Each course's fee label, study clock and level label, in the course table's order.
struct CourseClock {
    const char* feeLabel;
    const char* timer;
    const char* levelLabel;
};
inline constexpr std::array<CourseClock, courses::Courses.size()> CourseClocks{
    CourseClock{"lblSchollCoin", "tmrSchool", "lblSchool"},
    CourseClock{"lblTehCoin", "tmrTeh", "lblTehno"},
    CourseClock{"lblVozdCoin", "tmrCar", "lblVodit"},
};

// A fee label while not enrolled.
inline constexpr const char16_t* NoFee = u"Нет";

// Clock label positions: one-digit hours and two-digit days sit so that the digits end in place.
inline constexpr int HourLeftOneDigit = 4440;
inline constexpr int HourLeftTwoDigits = 4320;
inline constexpr int DayLeftOneDigit = 2280;
inline constexpr int DayLeftTwoDigits = 2160;

// The hunger warning slides this far every 50 ms and starts again past the right edge.
inline constexpr int WarningStep = 30;
inline constexpr int WarningRestart = 10995;

} // namespace vantaro_layout
