#include "platform/audio/module_source.h"

#include <libopenmpt/libopenmpt.hpp>

#include <vector>
#include <ostream>
#include <streambuf>

namespace audio {
namespace {

// libopenmpt explains every file it refuses; the disk reports failures itself.
std::ostream& discardedLog()
{
    struct DiscardingBuffer : std::streambuf {
        int overflow(int c) override { return traits_type::not_eof(c); }
    };
    static DiscardingBuffer buffer;
    static std::ostream log(&buffer);
    return log;
}

// libopenmpt's own default ramping, or none.
constexpr int kDefaultRamping = -1;
constexpr int kNoRamping = 0;

std::unique_ptr<openmpt::module> makePlayer(const std::vector<std::uint8_t>& content, ModuleOptions options)
{
    auto module = std::make_unique<openmpt::module>(content, discardedLog());
    module->set_repeat_count(0);
    module->set_render_param(openmpt::module::RENDER_VOLUMERAMPING_STRENGTH,
                             options.volumeRamping ? kDefaultRamping : kNoRamping);
    return module;
}

// A disk may list the same file for many tracks; they share its bytes.
std::shared_ptr<const std::vector<std::uint8_t>> sharedContent(const std::vector<std::uint8_t>& content)
{
    static std::vector<std::weak_ptr<const std::vector<std::uint8_t>>> known;
    std::erase_if(known, [](const auto& entry) { return entry.expired(); });
    for (const auto& entry : known) {
        auto held = entry.lock();
        if (held && *held == content) return held;
    }
    auto shared = std::make_shared<const std::vector<std::uint8_t>>(content);
    known.push_back(shared);
    return shared;
}

// libopenmpt's player state is large (over a megabyte per module), so it is
// built only once the track is first played or positioned: a disk of thousands
// of tracks then holds the players of the tracks it played, not of all.
class ModuleSource final : public Source {
public:
    ModuleSource(std::shared_ptr<const std::vector<std::uint8_t>> content, ModuleOptions options)
        : content_(std::move(content)), options_(options)
    {
    }

    std::size_t render(float* stereo, std::size_t frames) override
    {
        try {
            return player().read_interleaved_stereo(kMixRate, frames, stereo);
        } catch (...) {
            return 0;
        }
    }

    bool seek(std::uint64_t frame) override
    {
        try {
            player().set_position_seconds(static_cast<double>(frame) / kMixRate);
            return true;
        } catch (...) {
            return false;
        }
    }

private:
    openmpt::module& player()
    {
        if (!module_) module_ = makePlayer(*content_, options_);
        return *module_;
    }

    std::shared_ptr<const std::vector<std::uint8_t>> content_;
    ModuleOptions options_;
    std::unique_ptr<openmpt::module> module_;
};

}  // namespace

std::unique_ptr<Source> openModule(const std::vector<std::uint8_t>& fileContent, ModuleOptions options)
{
    try {
        // Parsed once here, so that a file libopenmpt refuses fails at load.
        makePlayer(fileContent, options);
        return std::make_unique<ModuleSource>(sharedContent(fileContent), options);
    } catch (...) {
        return nullptr;
    }
}

}  // namespace audio
