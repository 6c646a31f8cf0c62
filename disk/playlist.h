// The one record of shared playback state: the tracks with their channels and
// titles, the player's state, and the atlas every screen draws from.
#pragma once

#include "platform/d3d9.h"

#include <cstdint>
#include <string>
#include <vector>

struct Playlist {
    std::int32_t trackCount = 0;
    std::vector<std::uint32_t> trackHandles;
    std::vector<std::string> trackTitles;
    std::vector<float> titleWidths;
    std::vector<float> titleOffsets;
    std::int32_t currentTrack = 0;
    bool playing = false;
    bool equalizerOn = false;
    float titleScrollSpeed = 0.0f;
    std::int32_t volumeStep = 0;
    std::string scrollText;
    float scrollTextHeight = 0.0f;
    IDirect3DTexture9* atlasTexture = nullptr;
};

extern Playlist playlist;
