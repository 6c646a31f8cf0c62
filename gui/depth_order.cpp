#include "gui/depth_order.h"

#include "gui/gui_renderer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <utility>

namespace {

// Three passes of 11 bits cover the 32-bit key; 2,048 counters per pass stay
// cheap for the few hundred quads of a usual frame.
constexpr int kDigitBits = 11;
constexpr std::uint32_t kDigitMask = (1u << kDigitBits) - 1;
constexpr int kPasses = 3;
using Histogram = std::array<std::uint32_t, kDigitMask + 1>;
// Below this many quads the counters cost more than comparing keys does.
constexpr std::size_t kFewestForRadix = 2048;

// A key whose ascending order is the depths' descending order. Zero of either
// sign is one depth, as the comparison of depths sees it.
std::uint32_t drawingKey(float depth) {
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(depth == 0.0f ? 0.0f : depth);
    const std::uint32_t ascending = (bits & 0x80000000u) ? ~bits : bits | 0x80000000u;
    return ~ascending;
}

std::uint32_t digit(std::uint32_t key, int pass) { return (key >> (pass * kDigitBits)) & kDigitMask; }

}  // namespace

// Only small keys move, never whole quads: a frame may hold a hundred thousand
// quads, and moving them through a comparison sort costs many times the writing
// of their vertices.
void DepthOrder::sort(const std::vector<GuiQuad>& quads) {
    const std::size_t count = quads.size();
    entries.resize(count);
    for (std::size_t k = 0; k < count; ++k) entries[k] = {drawingKey(quads[k].depth), static_cast<std::uint32_t>(k)};
    if (count < kFewestForRadix) {
        std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.key < b.key; });
    } else {
        radixSort();
    }
    order.resize(count);
    for (std::size_t k = 0; k < count; ++k) order[k] = entries[k].index;
}

// A least-significant-digit radix sort, stable like the comparison sort. The
// counts of all digits come from one reading of the keys, and a digit that all
// keys share, as when a frame uses few depths, costs no pass.
void DepthOrder::radixSort() {
    const std::size_t count = entries.size();
    scratch.resize(count);
    std::array<Histogram, kPasses> histograms{};
    for (const Entry& entry : entries)
        for (int pass = 0; pass < kPasses; ++pass) ++histograms[pass][digit(entry.key, pass)];

    for (int pass = 0; pass < kPasses; ++pass) {
        Histogram& start = histograms[pass];
        if (start[digit(entries.front().key, pass)] == count) continue;
        std::uint32_t next = 0;
        for (std::uint32_t& bucket : start) next += std::exchange(bucket, next);
        for (const Entry& entry : entries) scratch[start[digit(entry.key, pass)]++] = entry;
        entries.swap(scratch);
    }
}
