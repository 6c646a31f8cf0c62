// The spectrum display of the main screen: 16 columns of 12 cells, lit from the
// bottom by the 16 lowest bands of the playing track's spectrum, fading out
// over a quarter of a second.
#pragma once

constexpr int kEqualizerColumns = 16;
constexpr int kEqualizerCells = 12;

struct EqualizerLevels {
    // Column after column, bottom cell first.
    float cells[kEqualizerColumns * kEqualizerCells] = {};
    float& at(int column, int cell) { return cells[column * kEqualizerCells + cell]; }
};

// Cells lit by a magnitude: each cell needs 1/70 more than the one below it.
int litCells(float magnitude);

// One frame of the display, at the main screen's opacity.
void equalizerStep(EqualizerLevels& levels, float alpha);
