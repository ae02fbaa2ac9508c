#include "support/random_player.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class RandomPlay : public ::testing::TestWithParam<std::uint32_t> {};

// Whatever a player does, in whatever order, the game keeps its promises.
TEST_P(RandomPlay, InvariantsHoldAfterEveryEvent) {
    const std::uint32_t seed = GetParam();
    RandomPlayer player(seed);
    constexpr int Events = 50'000;
    for (int i = 0; i < Events; ++i) {
        player.step();
        const std::string broken = player.brokenInvariant();
        ASSERT_TRUE(broken.empty())
            << "seed " << seed << ", event " << i << " (" << player.lastEvent() << "): " << broken;
    }
    EXPECT_GT(player.gamesStarted(), 0);
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomPlay, ::testing::Values(1u, 2u, 3u, 20261207u),
                         [](const auto& p) { return "Seed" + std::to_string(p.param); });

} // namespace
