#include "platform/soft/control_state.h"

namespace softgfx::detail {

ControlState& control() {
    static ControlState state;
    return state;
}

bool takeFault(Fault fault) {
    unsigned& pending = control().pendingFaults[static_cast<std::size_t>(fault)];
    if (pending == 0) return false;
    --pending;
    return true;
}

Record& record(Op op, HRESULT result, const void* object) {
    Record& entry = control().log.emplace_back();
    entry.op = op;
    entry.result = result;
    entry.object = object;
    return entry;
}

}  // namespace softgfx::detail
