#include "tests/screens/shot.h"

#include <cstdlib>
#include <string>

Shot::Shot(const std::filesystem::path& file) {
    std::string error;
    if (!d3dx::decodePng(file, image, error)) image = {};
}

double Shot::brightness(const Region& region) const {
    double sum = 0;
    for (int y = region.top; y < region.bottom; ++y)
        for (int x = region.left; x < region.right; ++x)
            for (int c = 0; c < 3; ++c) sum += channel(x, y, c);
    return sum / (3.0 * (region.right - region.left) * (region.bottom - region.top));
}

double Shot::difference(const Shot& other, const Region& region) const {
    double sum = 0;
    for (int y = region.top; y < region.bottom; ++y)
        for (int x = region.left; x < region.right; ++x)
            for (int c = 0; c < 3; ++c) sum += std::abs(channel(x, y, c) - other.channel(x, y, c));
    return sum / (3.0 * (region.right - region.left) * (region.bottom - region.top));
}
