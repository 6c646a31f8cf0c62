#pragma once
// libopenmpt fills large tables (resampling windows, tuning) the first time a
// module is made. An AudioWarmUp does that on a thread of its own while the
// window and its device are still being set up, so the first track loads at
// once. Hold one for as long as the program runs; its destructor waits for the
// thread. If no thread can be started, the tables are filled on first use, as
// they would be anyway.
#include <thread>

class AudioWarmUp {
public:
    AudioWarmUp();
    ~AudioWarmUp();
    AudioWarmUp(const AudioWarmUp&) = delete;
    AudioWarmUp& operator=(const AudioWarmUp&) = delete;

private:
    std::thread worker_;
};
