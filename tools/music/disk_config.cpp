#include "tools/music/disk_config.h"

namespace music {
namespace {

// The font draws space to Z only; lower case would be drawn as capitals, so
// the text is written in capitals to read the way it will look.
constexpr const char* creditsText =
    "VELMORA 2 - A MUSIC DISK\n"
    "\n"
    "MUSIC, CODE AND PIXELS BY THE VELMORA TEAM. EVERY SOUND ON THIS DISK WAS SYNTHESIZED BY OUR OWN "
    "LITTLE TOOL: NO BORROWED SAMPLES, JUST SINE WAVES, NOISE AND PATIENCE.\n"
    "\n";

constexpr const char* keysText =
    "\n"
    "KEYS:\n"
    "ENTER - PLAY / STOP\n"
    "P - PAUSE\n"
    "CURSOR LEFT / RIGHT - PREVIOUS / NEXT TRACK\n"
    "A - ABOUT\n"
    "I - INFO\n"
    "E - EQUALIZER ON / OFF\n"
    "KEYPAD + / - - SPEED\n"
    "ESC - EXIT\n"
    "\n"
    "GREETINGS FLY OUT TO EVERYONE WHO STILL COUNTS IN HEXADECIMAL, TO THE TRACKERS WHO KEEP THE OLD "
    "FORMATS ALIVE, TO THE DEMOSCENE PARTY CROWDS, AND TO YOU FOR LISTENING. SEE YOU ON THE NEXT DISK!\n";

} // namespace

std::string diskConfigText(const std::vector<DiskTrack>& tracks)
{
    std::string text = std::to_string(tracks.size()) + "\n";
    for (const DiskTrack& track : tracks)
        text += track.type + "\n" + track.fileName + "\n" + track.title + "\n";
    text += creditsText;
    text += "TRACKS:\n";
    for (std::size_t i = 0; i < tracks.size(); ++i)
        text += std::to_string(i + 1) + ". " + tracks[i].title + " - " + tracks[i].description + "\n";
    text += keysText;
    return text;
}

} // namespace music
