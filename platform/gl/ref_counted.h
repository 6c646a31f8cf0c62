// Reference counting for the device objects: an object frees itself when its last reference goes.
#pragma once

#include "platform/d3d9.h"

namespace glgfx {

template <class Interface>
class RefCounted : public Interface {
public:
    ULONG AddRef() override { return ++references_; }
    ULONG Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

private:
    ULONG references_ = 1;
};

}  // namespace glgfx
