// Scene 0: never shown. Its construction loads everything the screens share
// (the atlas, the disk configuration, the audio library and one channel per
// track) and starts track 0; its destruction releases it all.
#pragma once

#include "app/scene.h"

#include <istream>

class GlobalInitializationScene : public Scene {
public:
    GlobalInitializationScene();
    ~GlobalInitializationScene() override;
    void update() override {}

private:
    void loadTracks(std::istream& config);
    void refuse(const char* message);
};
