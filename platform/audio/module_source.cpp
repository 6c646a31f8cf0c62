#include "platform/audio/module_source.h"

#include <libopenmpt/libopenmpt.hpp>

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

class ModuleSource final : public Source {
public:
    ModuleSource(const std::vector<std::uint8_t>& content, ModuleOptions options)
        : module_(content, discardedLog())
    {
        module_.set_repeat_count(0);
        module_.set_render_param(openmpt::module::RENDER_VOLUMERAMPING_STRENGTH,
                                 options.volumeRamping ? kDefaultRamping : kNoRamping);
    }

    std::size_t render(float* stereo, std::size_t frames) override
    {
        try {
            return module_.read_interleaved_stereo(kMixRate, frames, stereo);
        } catch (...) {
            return 0;
        }
    }

    bool seek(std::uint64_t frame) override
    {
        try {
            module_.set_position_seconds(static_cast<double>(frame) / kMixRate);
            return true;
        } catch (...) {
            return false;
        }
    }

private:
    openmpt::module module_;
};

}  // namespace

std::unique_ptr<Source> openModule(const std::vector<std::uint8_t>& fileContent, ModuleOptions options)
{
    try {
        return std::make_unique<ModuleSource>(fileContent, options);
    } catch (...) {
        return nullptr;
    }
}

}  // namespace audio
