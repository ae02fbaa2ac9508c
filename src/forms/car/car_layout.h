#pragma once

#include "forms/common/screen_layout.h"
#include "state/gamestate.h"
#include "ui/layout.h"

#include <array>
#include <cstddef>

namespace car_layout {

using namespace screen_layout;

inline constexpr int ClientWidth = 6870;
inline constexpr int ClientHeight = 4410;
inline constexpr std::uint32_t Background = color::Black;
inline constexpr const char16_t* Caption =
    u"Здесь можно купить корабль и всё, всё, всё для него...";

inline constexpr int TopLevel = 5;

// One piece of ship equipment. names[n] and prices[n] belong to the step from level n to
// n + 1; level 0 is the main screen label's own "Нет". A piece with `needs` can only be bought
// once that other piece has its first level.
struct Piece {
    const char* button;
    const char16_t* caption;
    Int16 GameState::*level;
    std::array<const char16_t*, TopLevel> names;
    std::array<int, TopLevel> prices;
    const char16_t* description;
    Int16 GameState::*needs = nullptr;
};

inline constexpr std::array Pieces{
    Piece{"cmd1",
          u"Купить Корпус",
          &GameState::Korpus,
          {u"Пенопластовый", u"Железный", u"Медный сплав", u"Титановый", u"СУПЕР Титановый"},
          {20, 30, 45, 60, 75},
          u"Хороший корпус хочет каждый, т.к. он - внешний вид вашей тачки!"},
    Piece{"cmd2",
          u"Купить Движок",
          &GameState::Dvigatel,
          {u"Водный", u"Дизельный", u"Карбюраторный", u"Электрический", u"Азотный"},
          {25, 40, 50, 70, 100},
          u"Мощный движок - залог успеха в каждой битве!"},
    Piece{"cmd3",
          u"Купить Новые Пушки",
          &GameState::Pushka,
          {u"Ионные лазеры", u"Разрывные", u"Огненные", u"Резцовые", u"Атомные"},
          {15, 25, 40, 55, 70},
          u"Мощная пушка - хорошая пушка! Чем лучше пушка, тем больше вас будут бояться!"},
    Piece{"cmd4",
          u"Купить Новую Обшивку",
          &GameState::Obshivka,
          {u"Полиэтиленовая", u"Тряпочная", u"Хлопчатобумажная", u"Под дерево", u"Кожаная"},
          {10, 15, 25, 35, 50},
          u"Обшивка - это внутренности вашей тачки. Чем дороже обшивка, тем солиднее выглядит "
          u"корабль!"},
    Piece{"cmd5",
          u"Купить Систему Наведения",
          &GameState::SystNav,
          {u"Оптическая", u"Лазерная", u"Самонаводящаяся", u"Тепловая", u"Электростатическая"},
          {20, 25, 39, 42, 63},
          u"Система наведения - это что-то типа радара и 'целинаправлялки'! Короче знают только "
          u"знающие!"},
    Piece{"cmd6",
          u"Купить Бак для Горючего",
          &GameState::Bak,
          {u"Деревянный", u"Алюминиевый", u"Ампоксерный", u"Укреплённый", u"Бронебойный"},
          {5, 10, 24, 37, 50},
          u"Ну, тут я надеюсь всё ясно! Бак - и в Африке бак! Туды наливают горючее!"},
    Piece{"cmd7",
          u"Купить Радар",
          &GameState::Radar,
          {u"Локационный", u"Спутниковый", u"Эхолокационный", u"Вортексный", u"Сотовый"},
          {13, 20, 25, 35, 48},
          u"С помощью радара Вы можете увидеть отдалённые предметы, в том числе и корабли, "
          u"узнавать их свойства и состояние."},
    Piece{"cmd8",
          u"Купить Антирадар",
          &GameState::ARadar,
          {u"Дисковый", u"Звуковой", u"Временной", u"Пространственный", u"Межгалактический"},
          {13, 20, 25, 35, 48},
          u"Антирадар защищает вас от радаров других кораблей! Это очень важно в схватка один на "
          u"один!",
          &GameState::Radar},
    Piece{"cmd9",
          u"Купить Систему Питания",
          &GameState::Akkom,
          {u"Кислотная", u"Щелочная", u"Солнечная", u"Азотистая", u"Атомная"},
          {20, 25, 30, 35, 45},
          u"Нет, это не режим питания человека, это то, что стоит у вас в виде аккумулятора!"},
    Piece{"cmd10",
          u"Купить Защитный Комплекс",
          &GameState::ZK,
          {u"Электролучевой", u"Биологический", u"Лазерный", u"Дуплексный", u"'Штормовой'"},
          {20, 25, 30, 35, 45},
          u"Защитный комплекс создаёт вокруг корабля защитное поле, которое в зависимости от "
          u"защитного комплекса трудно пробить разными видами оружия!",
          &GameState::Korpus},
};

// The buttons stand in one column in table order, which is also their tab order.
constexpr ControlDef pieceButton(std::size_t row) {
    return {.name = Pieces[row].button,
            .kind = Kind::Button,
            .rect = {240, 240 + 360 * static_cast<int>(row), 2775, 375},
            .text = Pieces[row].caption,
            .font = ButtonFont};
}
constexpr ControlDef line(const char* name, twips::Rect r) {
    return {.name = name, .kind = Kind::Line, .rect = r, .fore = color::Yellow};
}

// Lines first: they lie beneath every other control.
inline constexpr std::array Controls{
    line("Line1", {3120, 120, 0, 3840}),
    line("Line2", {120, 120, 0, 3840}),
    line("Line3", {120, 3960, 6600, 0}),
    line("Line4", {120, 120, 6600, 0}),
    line("Line5", {6720, 120, 0, 3840}),
    pieceButton(0),
    pieceButton(1),
    pieceButton(2),
    pieceButton(3),
    pieceButton(4),
    pieceButton(5),
    pieceButton(6),
    pieceButton(7),
    pieceButton(8),
    pieceButton(9),
    ControlDef{.name = "Frame1",
               .kind = Kind::Frame,
               .rect = {3240, 240, 3375, 3615},
               .text = u"Описание:",
               .font = LabelFont,
               .fore = color::Yellow,
               .back = color::Black},
    ControlDef{.name = "lbl",
               .parent = "Frame1",
               .rect = {120, 240, 3135, 3255},
               .font = LabelFont,
               .fore = color::Yellow,
               .back = color::Black,
               .flags = look::Transparent},
    backLabel("cmd", {120, 4080, 6615, 255}),
};

} // namespace car_layout
