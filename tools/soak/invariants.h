// What must hold after every frame of the disk, whatever the input: screens'
// opacity within 0..1, the current track within the list, the volume step
// within 0..10, a bounded number of quads, and only finite moving values.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class InvariantChecker {
public:
    // Checks the frame the loop has just finished.
    void check();

    std::uint64_t framesChecked() const { return frames; }
    std::uint64_t violations() const { return broken; }
    std::uint32_t mostQuadsInAFrame() const { return mostQuads; }
    // The first few violations, with the frame and what broke.
    const std::vector<std::string>& firstViolations() const { return examples; }

private:
    void expect(bool holds, const std::string& what);
    void checkScreens();
    void checkPlaylist();
    void checkParticles();
    void checkClockAndVolume();
    void checkQuads();

    std::uint64_t frames = 0;
    std::uint64_t broken = 0;
    std::uint32_t mostQuads = 0;
    std::vector<std::string> examples;
};
