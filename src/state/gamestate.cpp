#include "state/gamestate.h"

#include <algorithm>
#include <array>

GameState& gameState() {
    static GameState state;
    return state;
}

bool isSpecialName(const QString& name) {
    static const std::array<QString, 3> special{QStringLiteral("Вилт"), QStringLiteral("Бранок"),
                                                QStringLiteral("Ксут")};
    return std::find(special.begin(), special.end(), name) != special.end();
}

void applyStartingValues(GameState& s) {
    const StartingValues v = isSpecialName(s.PlayerName) ? RichStart : OrdinaryStart;
    s.Money = v.money;
    s.Sitost = v.sitost;
}
