#include "platform/audio/wav_capture.h"

#include "platform/audio/source.h"

#include <sndfile.h>

namespace audio {

void WavCapture::Closer::operator()(sf_private_tag* file) const
{
    sf_close(file);
}

bool WavCapture::start(const std::string& path)
{
    stop();
    SF_INFO info{};
    info.samplerate = kMixRate;
    info.channels = kMixChannels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) return false;
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    file_.reset(file);
    return true;
}

bool WavCapture::stop()
{
    if (!file_) return false;
    return sf_close(file_.release()) == 0;
}

void WavCapture::write(std::span<const float> stereo)
{
    if (file_) sf_writef_float(file_.get(), stereo.data(), static_cast<sf_count_t>(stereo.size() / kMixChannels));
}

}  // namespace audio
