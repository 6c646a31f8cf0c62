#include "app/scene_manager.h"

int main() {
    SceneManager::instance()->run();
    return 0;
}
