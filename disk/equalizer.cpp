#include "disk/equalizer.h"

#include "app/frame_timer.h"
#include "disk/playlist.h"
#include "gui/gui_renderer.h"
#include "platform/bass.h"

#include <algorithm>

namespace {

constexpr float kFetchInterval = 0.04f;
constexpr float kDecayPerSecond = 4.0f;
constexpr float kCellsPerMagnitude = 70.0f;

float spectrumBuffer[256] = {};
float lastSpectrumTime = 0.0f;

void fetchSpectrum(float elapsed) {
    if (elapsed - lastSpectrumTime < kFetchInterval) return;
    BASS_ChannelGetData(playlist.trackHandles[playlist.currentTrack], spectrumBuffer, BASS_DATA_FFT512);
    lastSpectrumTime = elapsed;
}

void decay(EqualizerLevels& levels, float delta) {
    for (float& level : levels.cells) level = std::max(level - kDecayPerSecond * delta, 0.0f);
}

void light(EqualizerLevels& levels) {
    for (int column = 0; column < kEqualizerColumns; ++column) {
        const int lit = litCells(spectrumBuffer[column]);
        for (int cell = 0; cell < lit; ++cell) levels.at(column, cell) = 1.0f;
    }
}

void draw(EqualizerLevels& levels, float alpha) {
    for (int column = 0; column < kEqualizerColumns; ++column) {
        for (int cell = 0; cell < kEqualizerCells; ++cell) {
            const float x = 0.045f * static_cast<float>(column) - 0.457f;
            const float y = 0.05f * static_cast<float>(cell) - 0.32f;
            drawQuad(playlist.atlasTexture, x, y, 0.04f, 0.04f, 0.005859375f, 0.9599609375f, 0.0673828125f,
                     0.9765625f, 1.0f, 1.0f, 1.0f, std::min(alpha, levels.at(column, cell)));
        }
    }
}

}  // namespace

int litCells(float magnitude) {
    const float cells = magnitude * kCellsPerMagnitude;
    if (!(cells >= 1.0f)) return 0;  // also a magnitude that is not a number
    if (cells >= static_cast<float>(kEqualizerCells)) return kEqualizerCells;
    return static_cast<int>(cells);
}

void equalizerStep(EqualizerLevels& levels, float alpha) {
    const FrameTimer* timer = FrameTimer::instance();
    fetchSpectrum(timer->elapsed);
    decay(levels, timer->delta);
    light(levels);
    draw(levels, alpha);
}
