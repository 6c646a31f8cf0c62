// The drawing order must be exactly what a stable sort by depth, greatest
// first, gives: for every sign, magnitude and run of equal depths.
#include "gui/depth_order.h"
#include "gui/gui_renderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

namespace {

std::vector<GuiQuad> quadsAt(const std::vector<float>& depths) {
    std::vector<GuiQuad> quads;
    for (float depth : depths) quads.push_back({1, 1, 1, 1, 0, 0, 1, 1, 0, 0, 1, 1, nullptr, depth});
    return quads;
}

std::vector<std::uint32_t> stableOrder(const std::vector<GuiQuad>& quads) {
    std::vector<std::uint32_t> order(quads.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return quads[a].depth > quads[b].depth; });
    return order;
}

std::vector<float> drawn(std::size_t count, const std::vector<float>& values, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<std::size_t> pick(0, values.size() - 1);
    std::vector<float> depths(count);
    for (float& depth : depths) depth = values[pick(random)];
    return depths;
}

std::vector<float> spread(std::size_t count, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> anywhere(-3.0f, 3.0f);
    std::vector<float> depths(count);
    for (float& depth : depths) depth = anywhere(random);
    return depths;
}

struct OrderCase {
    const char* name;
    std::vector<float> depths;
};

TEST(DepthOrder, IsTheStableOrderByDepthGreatestFirst) {
    const OrderCase cases[] = {
        {"none", {}},
        {"one", {0.7f}},
        {"three depths", {0.5f, 1.0f, 0.2f}},
        {"all equal", std::vector<float>(3000, 0.9f)},
        {"signs and magnitudes", {-1.0f, 2.0f, -0.5f, 0.0f, 1e-30f, -2.0f, 1e30f, -1e-30f, 1.0f}},
        {"zero of both signs is one depth", {0.0f, -0.0f, 0.0f, 0.1f, -0.0f, -0.1f}},
        {"zero of both signs among thousands", drawn(5000, {0.0f, -0.0f, 0.5f, -0.5f}, 5)},
        {"the screens' depths", drawn(20000, {1.0f, 0.9f, 0.85f, 0.61f, 0.6f, 0.59f, 0.5f, 0.2f, 0.1f}, 7)},
        {"any depth, a few", spread(700, 13)},
        {"any depth", spread(20000, 11)},
    };
    for (const OrderCase& c : cases) {
        const auto quads = quadsAt(c.depths);
        DepthOrder order;
        order.sort(quads);
        EXPECT_EQ(order.indices(), stableOrder(quads)) << c.name;
    }
}

TEST(DepthOrder, ForgetsTheLastFrame) {
    DepthOrder order;
    order.sort(quadsAt(spread(500, 3)));
    const auto next = quadsAt({0.2f, 0.8f});
    order.sort(next);
    EXPECT_EQ(order.indices(), (std::vector<std::uint32_t>{1, 0}));
}

}  // namespace
