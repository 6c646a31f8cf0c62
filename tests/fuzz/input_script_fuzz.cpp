// The capture tool's input scripts as any bytes: a script either parses to
// events or names the first bad line, never both.
#include "tools/capture/input_script.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::optional<ScriptError> error;
    const auto events = parseScript(text, error);
    if (error && (!events.empty() || error->line < 1)) std::abort();
    keyCode(text);
    return 0;
}
