#include "platform/bass_headless.h"

#include "platform/audio/engine.h"
#include "platform/audio/faults.h"
#include "platform/audio/virtual_output.h"

namespace bass_headless {

void reportVersion(DWORD version)
{
    audio::faults().reportedVersion = version;
}

void failInit(bool fail)
{
    audio::faults().failInit = fail;
}

void failAllLoads()
{
    audio::faults().failAllLoads = true;
}

void failLoadsMatching(const std::string& pathFragment)
{
    audio::faults().failingPathFragments.push_back(pathFragment);
}

bool startWavCapture(const std::string& path)
{
    return audio::virtualWorld().capture.start(path);
}

bool stopWavCapture()
{
    return audio::virtualWorld().capture.stop();
}

void failOutput()
{
    audio::virtualWorld().outputFailed = true;
}

void reset()
{
    audio::Engine::instance().shutdown();
    audio::Engine::instance().resetVolume();
    audio::faults() = audio::Faults{};
    audio::VirtualWorld& world = audio::virtualWorld();
    world.capture.stop();
    world.outputFailed = false;
}

}  // namespace bass_headless
