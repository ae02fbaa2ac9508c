#pragma once

#include "state/gamestate.h"

#include <algorithm>
#include <array>

// The nine jobs and what each asks of the player.
namespace jobs {

struct Job {
    int code; // what CurrentJob holds while the player has this job
    const char* button;
    const char16_t* caption;
    int salary;
    const char16_t* sound;
    bool disablesAfterSound; // the taxi driver's button is locked only after its sound starts
};

inline constexpr std::array Catalogue{
    Job{1, "Taxist", u"Таксист", 10, u"Sound\\taxist.wav", true},
    Job{2, "ChastTaxist", u"Частный таксист", 20, u"Sound\\chasttaxist.wav", false},
    Job{3, "Dalnoboishik", u"Дальнобойщик", 35, u"Sound\\dalnoboishik.wav", false},
    Job{4, "KosmDalnoboishik", u"Космический дальнобойщик", 45, u"Sound\\kosmodaln.wav", false},
    Job{5, "TaxiPark", u"Хозяин таксопарка", 55, u"Sound\\taxipark.wav", false},
    Job{6, "DalnBoss", u"Босс дальнобойщиков", 65, u"Sound\\dalnboss.wav", false},
    Job{7, "Command7", u"Гонщик", 65, u"Sound\\gonshik.wav", false},
    Job{8, "Command8", u"Супер гонщик", 80, u"Sound\\supergonshik.wav", false},
    Job{9, "cmdVantaro", u"Vantaro.  Истребитель космических пиратов", 100, u"Sound\\vantaro.wav",
        false},
};

// Jobs whose buttons the jobs screen locks on opening once the player holds them or better.
inline constexpr int LowerJobsLockedOnOpening = 4;

enum class Cmp { AtLeast, Exactly };

// One condition of one job. A null field means the job the player holds now.
struct Requirement {
    int job;
    Int16 GameState::*field;
    Cmp cmp;
    int level;
};

inline constexpr Int16 GameState::*CurrentJobField = nullptr;

inline constexpr auto S = &GameState::SchoolLevel;
inline constexpr auto D = &GameState::DrivingLevel;
inline constexpr auto T = &GameState::TehnoLevel;

inline constexpr std::array Requirements{
    // 1: none
    Requirement{2, &GameState::Korpus, Cmp::AtLeast, 1},
    Requirement{2, &GameState::Dvigatel, Cmp::AtLeast, 1},
    Requirement{2, &GameState::Bak, Cmp::AtLeast, 1},
    Requirement{2, &GameState::Akkom, Cmp::AtLeast, 1},
    Requirement{2, D, Cmp::AtLeast, 1},

    Requirement{3, &GameState::Korpus, Cmp::AtLeast, 2},
    Requirement{3, &GameState::Dvigatel, Cmp::AtLeast, 2},
    Requirement{3, &GameState::Bak, Cmp::AtLeast, 3},
    Requirement{3, &GameState::Akkom, Cmp::AtLeast, 2},
    Requirement{3, &GameState::ZK, Cmp::AtLeast, 1},
    Requirement{3, D, Cmp::AtLeast, 2},
    Requirement{3, T, Cmp::AtLeast, 1},

    Requirement{4, &GameState::Korpus, Cmp::AtLeast, 2},
    Requirement{4, &GameState::Dvigatel, Cmp::AtLeast, 3},
    Requirement{4, &GameState::Bak, Cmp::AtLeast, 3},
    Requirement{4, &GameState::Akkom, Cmp::AtLeast, 2},
    Requirement{4, &GameState::Pushka, Cmp::AtLeast, 1},
    Requirement{4, &GameState::ZK, Cmp::AtLeast, 1},
    Requirement{4, S, Cmp::AtLeast, 1},
    Requirement{4, D, Cmp::AtLeast, 3},
    Requirement{4, T, Cmp::AtLeast, 1},

    Requirement{5, &GameState::Korpus, Cmp::AtLeast, 3},
    Requirement{5, &GameState::Dvigatel, Cmp::AtLeast, 3},
    Requirement{5, &GameState::Bak, Cmp::AtLeast, 4},
    Requirement{5, &GameState::Akkom, Cmp::AtLeast, 3},
    Requirement{5, &GameState::Pushka, Cmp::AtLeast, 1},
    Requirement{5, &GameState::ZK, Cmp::AtLeast, 2},
    Requirement{5, &GameState::Radar, Cmp::AtLeast, 2},
    Requirement{5, S, Cmp::AtLeast, 3},
    Requirement{5, D, Cmp::AtLeast, 3},
    Requirement{5, T, Cmp::AtLeast, 5},

    Requirement{6, CurrentJobField, Cmp::Exactly, 5},
    Requirement{6, &GameState::Radar, Cmp::AtLeast, 3},
    Requirement{6, S, Cmp::AtLeast, 4},

    Requirement{7, CurrentJobField, Cmp::Exactly, 6},
    Requirement{7, &GameState::Korpus, Cmp::AtLeast, 3},
    Requirement{7, &GameState::Dvigatel, Cmp::AtLeast, 5},
    Requirement{7, &GameState::Bak, Cmp::AtLeast, 4},
    Requirement{7, &GameState::Akkom, Cmp::AtLeast, 3},
    Requirement{7, &GameState::Pushka, Cmp::AtLeast, 3},
    Requirement{7, &GameState::ZK, Cmp::AtLeast, 3},
    Requirement{7, &GameState::Radar, Cmp::AtLeast, 3},
    Requirement{7, D, Cmp::AtLeast, 4},

    Requirement{8, CurrentJobField, Cmp::Exactly, 7},
    Requirement{8, &GameState::Korpus, Cmp::AtLeast, 4},
    Requirement{8, &GameState::Obshivka, Cmp::AtLeast, 4},
    Requirement{8, &GameState::SystNav, Cmp::AtLeast, 3},
    Requirement{8, &GameState::Radar, Cmp::AtLeast, 4},
    Requirement{8, &GameState::ARadar, Cmp::AtLeast, 4},
    Requirement{8, D, Cmp::AtLeast, 4},
    Requirement{8, T, Cmp::AtLeast, 5},

    // The top job: every ladder at its top.
    Requirement{9, &GameState::Korpus, Cmp::Exactly, 5},
    Requirement{9, &GameState::Dvigatel, Cmp::Exactly, 5},
    Requirement{9, &GameState::Pushka, Cmp::Exactly, 5},
    Requirement{9, &GameState::Obshivka, Cmp::Exactly, 5},
    Requirement{9, &GameState::SystNav, Cmp::Exactly, 5},
    Requirement{9, &GameState::Bak, Cmp::Exactly, 5},
    Requirement{9, &GameState::Radar, Cmp::Exactly, 5},
    Requirement{9, &GameState::ARadar, Cmp::Exactly, 5},
    Requirement{9, &GameState::Akkom, Cmp::Exactly, 5},
    Requirement{9, &GameState::ZK, Cmp::Exactly, 5},
    Requirement{9, S, Cmp::Exactly, 5},
    Requirement{9, D, Cmp::Exactly, 5},
    Requirement{9, T, Cmp::Exactly, 5},
};

inline bool holds(const Requirement& r, const GameState& s, Int16 currentJob) {
    const int value = (r.field == CurrentJobField ? currentJob : s.*r.field).value();
    return r.cmp == Cmp::AtLeast ? value >= r.level : value == r.level;
}

// Whether every requirement of `job` holds right now.
inline bool mayTake(int job, const GameState& s, Int16 currentJob) {
    return std::all_of(Requirements.begin(), Requirements.end(), [&](const Requirement& r) {
        return r.job != job || holds(r, s, currentJob);
    });
}

} // namespace jobs
