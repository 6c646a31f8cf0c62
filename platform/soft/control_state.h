// The state behind the softgfx control API, shared by the device objects:
// the call log, pending faults, device loss, live-object counts and pictures.
#pragma once

#include "platform/soft_device.h"

#include <array>
#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

namespace softgfx::detail {

class SoftTexture;

struct ControlState {
    std::vector<Record> log;
    bool logPerFrame = false;
    std::function<bool()> rasterizing;

    std::array<unsigned, static_cast<std::size_t>(Fault::DrawIndexedPrimitive) + 1> pendingFaults{};
    bool lost = false;
    unsigned lostTestsLeft = 0;
    unsigned lostTestsOnPresentFailure = 0;

    unsigned liveResetBlockers = 0;
    unsigned liveObjects = 0;

    Image back;
    Image front;
    PresentListener presentListener;
    std::uint64_t presents = 0;

    IDirect3DDevice9* device = nullptr;
    // Textures of this device by the pointer callers bind, so that a pointer
    // that is not one of ours is drawn as no texture rather than followed.
    std::unordered_map<const IDirect3DBaseTexture9*, const SoftTexture*> liveTextures;
};

ControlState& control();

// Consumes one pending fault of the kind; true when this call is to fail.
bool takeFault(Fault fault);

// Appends a record and returns it for the caller to fill in.
Record& record(Op op, HRESULT result, const void* object = nullptr);

}  // namespace softgfx::detail
