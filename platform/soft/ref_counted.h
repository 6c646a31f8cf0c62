// Reference counting for the device objects, with the live-object counts that
// tests read and that Reset consults.
#pragma once

#include "platform/soft/control_state.h"

namespace softgfx::detail {

template <class Interface>
class RefCounted : public Interface {
public:
    explicit RefCounted(bool blocksReset) : blocksReset_(blocksReset) {
        ++control().liveObjects;
        if (blocksReset_) ++control().liveResetBlockers;
    }

    ULONG AddRef() override { return ++references_; }

    ULONG Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

protected:
    ~RefCounted() override {
        --control().liveObjects;
        if (blocksReset_) --control().liveResetBlockers;
    }

private:
    ULONG references_ = 1;
    bool blocksReset_;
};

}  // namespace softgfx::detail
