#pragma once

#include "state/int16.h"

#include <QString>

// Everything more than one screen needs. One instance for the whole process; a new game is a
// new process.
struct GameState {
    QString PlayerName;
    Int16 HomeRooms;
    Int16 MebelLevel;
    Int16 VannaLevel;
    Int16 Sitost;
    Int16 Money;
    Int16 InSchool;
    Int16 InDriving;
    Int16 InTehno;
    Int16 SchoolLevel;
    Int16 DrivingLevel;
    Int16 TehnoLevel;
    Int16 SchoolTicks;
    Int16 DrivingTicks;
    Int16 TehnoTicks;
    Int16 Zarplata;
    Int16 Korpus;
    Int16 Dvigatel;
    Int16 Pushka;
    Int16 Obshivka;
    Int16 SystNav;
    Int16 Bak;
    Int16 Radar;
    Int16 ARadar;
    Int16 Akkom;
    Int16 ZK;
};

GameState& gameState();

// The three names that give the rich start; compared exactly, case and blanks included.
bool isSpecialName(const QString& name);

struct StartingValues {
    int money;
    int sitost;
};
inline constexpr StartingValues OrdinaryStart{250, 10};
inline constexpr StartingValues RichStart{2500, 200};

// Sets Money and Sitost from PlayerName by the starting-value rule.
void applyStartingValues(GameState& s);
