#pragma once

#include "forms/common/screen_layout.h"
#include "forms/work/jobs.h"
#include "ui/layout.h"

#include <array>

namespace work_layout {

using namespace screen_layout;

inline constexpr int ClientWidth = 8475;
inline constexpr int ClientHeight = 6600;
inline constexpr std::uint32_t Background = color::Black;

// Help panel sizes.
inline constexpr int HelpFoldedWidth = 1215;
inline constexpr int HelpFoldedHeight = 255;
inline constexpr int HelpOpenWidth = 8415;
inline constexpr int HelpOpenHeight = 6500;

// Per job, in catalogue order: its button's place and what hovering over it tells.
struct JobLook {
    twips::Rect rect;
    const char16_t* description;
    const char16_t* salaryText;
};
inline constexpr std::array<JobLook, jobs::Catalogue.size()> JobLooks{{
    {{360, 600, 2535, 375},
     u"Ничего сложного нет! Водишь чужую развалюху, таксуешь и получаешь... самый минимум.",
     u"10"},
    {{360, 960, 2535, 375},
     u"Для этой работы вам понадобится своя тачка. Вы ездиете, возите людей и получаете "
     u"денежки.",
     u"20"},
    {{360, 1320, 2535, 375},
     u"Эта работа для самовара, которому нечего делать. У вас должна быто своя тачка, причём "
     u"грузовая, с мощными движками. Возишь груз туды - сюды и тебе платят.",
     u"35"},
    {{360, 1680, 2535, 375},
     u"Эта работа для настоящих МУЖИКОВ. Возишь груз, людей туды - сюды -туды и опять сюды. Зато "
     u"платят не мало. А корабль надо... мощный, мощный и ечё раз мощный!",
     u"45"},
    {{360, 2280, 2535, 375},
     u"Это по сути самая шикарная работа! Ты ничё не делаешь, только командуешь другими "
     u"таксистами.",
     u"55"},
    {{360, 2640, 2535, 375},
     u"Вы не только следите за работой других дальнобойщиков, но и направляете их туда, куда им "
     u"всем надо. Полная лафа!",
     u"65"},
    {{360, 3240, 2535, 375},
     u"Ездишь по трассе как бешеный бизон, выигрываешь дениги и за енто получаешь свой "
     u"процент(%)!",
     u"65"},
    {{360, 3600, 2535, 375},
     u"Супер-пупер-муппер скорость на супер-пупер-муппер тачке! Самое увлекательное предложение!",
     u"80"},
    {{360, 4320, 2535, 615},
     u"Это - самая почётная профессия из всех существующих. Не каждый 'Vantaro' становится "
     u"Vantaro и тем более Истрибителем КОСМИЧЕСКИХ ПИРАТОВ! Так гордись, Человек!!!",
     u"100"},
}};

inline constexpr const char16_t* IdleDescription =
    u"Видишь профессии? Выбирай нужную! Смотри, не ошибись!";
inline constexpr const char16_t* IdleSalary = u"_____";

inline constexpr const char16_t* Refusal =
    u" Вы не можете работать по этой профессии. Загляните в СПРАВКУ, штобы посмотреть чё нужно "
    u"для работы(кликните на слово 'Справка' в верхнем левом углу)";

inline constexpr FontDef Bold975{Face::MSSansSerif, 9.75, true};
inline constexpr FontDef ButtonFont{Face::MSSansSerif, 8.25, false};
inline constexpr FontDef Comic9{Face::ComicSansMS, 9, true};
// The help entries: Comfortaa runs wider than Comic Sans MS, and "Босс дальнобойщиков" and the
// lines of Label7 only fit their labels narrowed.
inline constexpr FontDef Comic9Entry{Face::ComicSansMS, 9, true, 90};
inline constexpr FontDef Comic975{Face::ComicSansMS, 9.75, true};
inline constexpr FontDef Comic975Regular{Face::ComicSansMS, 9.75, false};
inline constexpr std::uint32_t EntryTitle = 0x80FF80;
inline constexpr std::uint32_t EntryText = 0xC0FFC0;
inline constexpr std::uint32_t EntryBack = 0x808080;
inline constexpr std::uint32_t Backdrop = 0x404040;

constexpr ControlDef jobButton(std::size_t i) {
    return {.name = jobs::Catalogue[i].button,
            .kind = Kind::Button,
            .rect = JobLooks[i].rect,
            .text = jobs::Catalogue[i].caption,
            .font = ButtonFont};
}
constexpr ControlDef title(const char* name, twips::Rect r, const char16_t* text,
                           unsigned flags = 0) {
    return {.name = name,
            .parent = "fr",
            .rect = r,
            .text = text,
            .font = Comic9Entry,
            .fore = EntryTitle,
            .back = EntryBack,
            .flags = flags};
}
constexpr ControlDef entry(const char* name, twips::Rect r, const char16_t* text,
                           unsigned flags = 0) {
    return {.name = name,
            .parent = "fr",
            .rect = r,
            .text = text,
            .font = Comic9Entry,
            .fore = EntryText,
            .back = EntryBack,
            .flags = flags};
}

// The labels a page switch touches, in order, and whether each shows on page 2. Label13 and
// Label16 (the last entry of page 1) lie above page 2's backdrop, so they are hidden for it.
struct PageSwitch {
    const char* label;
    bool onPage2;
};
inline constexpr std::array PageSwitches{
    PageSwitch{"ll", true},       PageSwitch{"Label10", true},  PageSwitch{"Label11", true},
    PageSwitch{"Label12", true},  PageSwitch{"Label13", false}, PageSwitch{"Label14", true},
    PageSwitch{"Label15", true},  PageSwitch{"Label16", false}, PageSwitch{"Label17", true},
    PageSwitch{"Label18", true},  PageSwitch{"Label19", true},  PageSwitch{"Label20", true},
    PageSwitch{"lblPrev1", true},
};

inline constexpr std::array Controls{
    ControlDef{.name = "Frame1",
               .kind = Kind::Frame,
               .rect = {3240, 480, 4695, 2775},
               .font = Bold975,
               .back = color::Black},
    ControlDef{.name = "lbl2",
               .parent = "Frame1",
               .rect = {120, 240, 4455, 1935},
               .font = Bold975,
               .fore = color::White,
               .flags = look::Transparent},
    ControlDef{.name = "Label1",
               .parent = "Frame1",
               .rect = {120, 2400, 1215, 255},
               .text = u"Зарплата:",
               .font = Bold975,
               .fore = color::Yellow,
               .flags = look::Right | look::Transparent},
    ControlDef{.name = "lblZarpl",
               .parent = "Frame1",
               .rect = {1440, 2400, 615, 255},
               .font = Bold975,
               .fore = color::Silver,
               .flags = look::Center | look::Transparent},
    ControlDef{.name = "Frame2",
               .kind = Kind::Frame,
               .rect = {3240, 3240, 4695, 1695},
               .font = Bold975,
               .back = syscolor::MenuText},
    ControlDef{.name = "lbllbl",
               .parent = "Frame2",
               .rect = {120, 240, 4455, 1335},
               .font = Bold975,
               .fore = color::Red,
               .flags = look::Transparent},
    jobButton(0),
    jobButton(1),
    jobButton(2),
    jobButton(3),
    jobButton(4),
    jobButton(5),
    jobButton(6),
    jobButton(7),
    jobButton(8),
    backLabel("cmd", {120, 6240, 8175, 255}),

    // The help panel lies above everything; its labels from the bottom of the pile up.
    ControlDef{.name = "fr",
               .kind = Kind::Frame,
               .rect = {0, 0, HelpFoldedWidth, HelpFoldedHeight},
               .text = u"Справка",
               .font = Bold975,
               .fore = color::Yellow,
               .back = color::Black},
    ControlDef{.name = "l",
               .parent = "fr",
               .rect = {120, 240, 8175, 6135},
               .text = u"   Для того чтобы у вас не кончались деньги, вы должны работать, но у "
                       u"каждой профессии свои требования. Прочитайте ниженаписанное, чтобы "
                       u"узнать, какой провессии что надо:",
               .font = Comic975,
               .fore = 0x00FF00,
               .back = Backdrop,
               .flags = look::Hidden},
    title("Label2", {120, 1200, 2100, 255}, u"Таксист", look::Center),
    title("Label3", {120, 1560, 2100, 615}, u"Частный таксист", look::Center),
    title("Label4", {120, 2280, 2100, 255}, u"Дальнобойщик", look::Center),
    title("Label5", {120, 3360, 2100, 495}, u"Космич. дальнобойщик", look::Center),
    entry("Label6", {2280, 1200, 5895, 255}, u"Таксисту ничего не надо."),
    entry("Label7", {2280, 1560, 5895, 615},
          u"Корпус (Пенопластовый), движок (Водный), бак (Деревянный), система питания "
          u"(Кислотная) и вождение (Чайник)."),
    entry("Label8", {2280, 2280, 5895, 975},
          u"Корпус (Железный), движок (Дизельный), бак (Ампоксерный), система питания "
          u"(Щелочная), защитный комплекс (Электролучевой) и вождение (Самовар),технич.навыки "
          u"(Электрик)."),
    entry("Label9", {2280, 3360, 5895, 1215},
          u"Корпус (Железный), движок (Карбюраторный), бак (Ампоксерный), система питания "
          u"(Щелочная), защитный комплекс (Электролучевой), пушки (Ионные лазеры), образование "
          u"(Студент), вождение (Опытный) и тех навыки (Электрик)."),
    ControlDef{.name = "lblNext1",
               .parent = "fr",
               .rect = {7080, 6120, 945, 270},
               .text = u"Далее -->>",
               .font = Comic975Regular,
               .fore = color::Red,
               .flags = look::Transparent | look::AutoSize},
    ControlDef{.name = "ll",
               .parent = "fr",
               .rect = {120, 240, 8175, 6135},
               .back = Backdrop,
               .flags = look::Hidden},
    ControlDef{.name = "Label12",
               .parent = "fr",
               .rect = {120, 240, 7935, 255},
               .text = u"Это продолжение списка профессий",
               .font = Comic9,
               .fore = 0x00FF00,
               .flags = look::Center | look::Transparent | look::Hidden},
    title("Label13", {120, 4680, 2055, 255}, u"Хозяин таксопарка", look::Center),
    entry("Label14", {2280, 600, 5895, 615},
          u"Всё хозяина таксопарка +  Радар(Эхолокационный), Образование(Умник(-ца)).",
          look::Hidden),
    title("Label15", {120, 600, 2055, 255}, u"Босс дальнобойщиков", look::Hidden),
    title("Label17", {120, 1320, 2055, 255}, u"Гонщик", look::Hidden),
    entry("Label18", {2280, 1320, 5895, 975},
          u"То же что Боссика Дальнобойщиков + Бак(Укреплённый), Движок(Азотный), защитный "
          u"комплекс(Лазерный), Пушки(Огненные), Вождение(Гонщик).",
          look::Hidden),
    title("Label19", {120, 2400, 2055, 255}, u"Супер гонщик", look::Hidden),
    entry("Label20", {2280, 2400, 5895, 1095},
          u"Гонщиковое + Корпус(Титановый),  Обшивка(Под дерево), Система "
          u"наведения(Самонаводящаяся), Радар(Вортексный), Антирадар(Пространственный).",
          look::Hidden),
    ControlDef{.name = "lblPrev1",
               .parent = "fr",
               .rect = {360, 6120, 930, 270},
               .text = u"<<-- Назад",
               .font = Comic975Regular,
               .fore = color::Red,
               .flags = look::Transparent | look::AutoSize | look::Hidden},
    title("Label10", {120, 3600, 2055, 255}, u"Vantaro", look::Hidden),
    entry("Label11", {2280, 3600, 5895, 495},
          u"Вы должны скупить всё оборудование и обучиться до максимума!!!", look::Hidden),
    entry("Label16", {2280, 4680, 5895, 1455},
          u"Корпус (Медный сплав), Движок (Карбюраторный), Бак (Укреплённый), Система питания "
          u"(Солнечная), Пушки (Ионные лазеры), Защитный комплекс (Биологический), Радар "
          u"(Спутниковый), Образование (Профессор), Вождение (Опытный) и тех.навыки (Золотце)"),
};

} // namespace work_layout
