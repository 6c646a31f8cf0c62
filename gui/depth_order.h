// The drawing order of a frame's quads: greatest depth first, and quads of
// equal depth in the order they were submitted.
#pragma once

#include <cstdint>
#include <vector>

struct GuiQuad;

class DepthOrder {
public:
    // Fills the order with the indices of the quads in drawing order. The
    // storage is kept for the next frame.
    void sort(const std::vector<GuiQuad>& quads);
    const std::vector<std::uint32_t>& indices() const { return order; }

private:
    void radixSort();

    struct Entry {
        std::uint32_t key;
        std::uint32_t index;
    };
    std::vector<Entry> entries;
    std::vector<Entry> scratch;
    std::vector<std::uint32_t> order;
};
