#include "platform/d3dx/mipmap.h"

#include <algorithm>
#include <cmath>

namespace d3dx {

namespace {

// The source texels one target texel covers along an axis, with their weights.
struct Footprint {
    unsigned first;
    std::vector<float> weights;
};

std::vector<Footprint> footprints(unsigned sourceSize, unsigned targetSize) {
    std::vector<Footprint> result(targetSize);
    const double scale = static_cast<double>(sourceSize) / targetSize;
    for (unsigned target = 0; target < targetSize; ++target) {
        const double begin = target * scale;
        const double end = begin + scale;
        Footprint& footprint = result[target];
        footprint.first = static_cast<unsigned>(begin);
        for (unsigned source = footprint.first; source < sourceSize && source < end; ++source) {
            const double covered = std::min<double>(end, source + 1) - std::max<double>(begin, source);
            footprint.weights.push_back(static_cast<float>(covered / scale));
        }
    }
    return result;
}

std::uint8_t toByte(float value) { return static_cast<std::uint8_t>(std::clamp(value, 0.0f, 255.0f) + 0.5f); }

// One channel of a 2 x 2 block: the alpha-weighted mean, rounded to nearest;
// where the block is fully transparent, the plain mean.
std::uint8_t blockChannel(const std::uint8_t* const texels[4], int channel, unsigned alphaSum) {
    unsigned plain = 0;
    for (int i = 0; i < 4; ++i) plain += texels[i][channel];
    // Opaque or fully transparent blocks weigh every texel alike.
    if (alphaSum == 0 || alphaSum == 4 * 255) return static_cast<std::uint8_t>((plain + 2) / 4);
    unsigned weighted = 0;
    for (int i = 0; i < 4; ++i) weighted += unsigned{texels[i][channel]} * texels[i][3];
    return static_cast<std::uint8_t>((2 * weighted + alphaSum) / (2 * alphaSum));
}

// Even sides, the common case of power-of-two pictures: every target texel is
// one whole 2 x 2 block, averaged in integers, so the chain of a large atlas
// costs a few milliseconds at start-up.
RgbaImage halvedByBlocks(const RgbaImage& source) {
    RgbaImage target;
    target.width = source.width / 2;
    target.height = source.height / 2;
    target.rgba.resize(std::size_t{target.width} * target.height * 4);
    const std::size_t sourceRow = std::size_t{source.width} * 4;
    std::uint8_t* out = target.rgba.data();
    for (unsigned y = 0; y < target.height; ++y) {
        const std::uint8_t* top = source.rgba.data() + 2 * y * sourceRow;
        const std::uint8_t* bottom = top + sourceRow;
        for (unsigned x = 0; x < target.width; ++x, top += 8, bottom += 8, out += 4) {
            const std::uint8_t* const texels[4] = {top, top + 4, bottom, bottom + 4};
            const unsigned alphaSum = unsigned{top[3]} + top[7] + bottom[3] + bottom[7];
            for (int channel = 0; channel < 3; ++channel) out[channel] = blockChannel(texels, channel, alphaSum);
            out[3] = static_cast<std::uint8_t>((alphaSum + 2) / 4);
        }
    }
    return target;
}

}  // namespace

RgbaImage halved(const RgbaImage& source) {
    if (source.width % 2 == 0 && source.height % 2 == 0) return halvedByBlocks(source);
    RgbaImage target;
    target.width = std::max(1u, source.width / 2);
    target.height = std::max(1u, source.height / 2);
    target.rgba.resize(std::size_t{target.width} * target.height * 4);
    const std::vector<Footprint> columns = footprints(source.width, target.width);
    const std::vector<Footprint> rows = footprints(source.height, target.height);

    for (unsigned y = 0; y < target.height; ++y) {
        for (unsigned x = 0; x < target.width; ++x) {
            float premultiplied[3] = {0, 0, 0};
            float plain[3] = {0, 0, 0};
            float alpha = 0;
            for (std::size_t row = 0; row < rows[y].weights.size(); ++row) {
                for (std::size_t column = 0; column < columns[x].weights.size(); ++column) {
                    const float weight = rows[y].weights[row] * columns[x].weights[column];
                    const std::size_t at =
                        ((rows[y].first + row) * std::size_t{source.width} + columns[x].first + column) * 4;
                    const float texelAlpha = source.rgba[at + 3] / 255.0f;
                    for (int channel = 0; channel < 3; ++channel) {
                        premultiplied[channel] += weight * texelAlpha * source.rgba[at + channel];
                        plain[channel] += weight * source.rgba[at + channel];
                    }
                    alpha += weight * texelAlpha;
                }
            }
            std::uint8_t* out = target.rgba.data() + (std::size_t{y} * target.width + x) * 4;
            // Fully transparent areas keep their plain average: it is never seen, but stays defined.
            for (int channel = 0; channel < 3; ++channel) {
                out[channel] = toByte(alpha > 0 ? premultiplied[channel] / alpha : plain[channel]);
            }
            out[3] = toByte(alpha * 255.0f);
        }
    }
    return target;
}

}  // namespace d3dx
