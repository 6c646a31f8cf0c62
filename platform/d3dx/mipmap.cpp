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

}  // namespace

RgbaImage halved(const RgbaImage& source) {
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
