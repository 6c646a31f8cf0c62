#include "app/scene_manager.h"
#include "platform/audio_warm_up.h"

int main() {
    AudioWarmUp audioWarmUp;
    SceneManager::instance()->run();
    return 0;
}
