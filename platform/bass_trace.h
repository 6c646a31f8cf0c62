// An observer of the audio calls, for traces: every BASS_* call reaches it once
// it has returned, with its arguments and its result already written as JSON
// values. Paths are strings, handles, flags and counts numbers, BOOLs true or
// false; other pointers are null or the string "<ptr>", so that a trace does
// not depend on where things lie in memory.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace bass_trace {

struct Call {
    std::string name;               // "BASS_ChannelPlay"
    std::vector<std::string> args;  // in parameter order
    std::string result;
};

using Observer = std::function<void(const Call&)>;

// Replaces the observer; an empty one ends tracing. Without an observer a call
// costs one atomic load more than its work.
void setObserver(Observer observer);

}  // namespace bass_trace
