// The softgfx control API over the shared control state.
#include "platform/soft/control_state.h"
#include "platform/soft/resources.h"

#include <algorithm>

namespace softgfx {

using detail::control;

const char* opName(Op op) {
    static const char* const names[] = {
        "CreateDevice", "TestCooperativeLevel", "Reset", "BeginScene", "EndScene", "Clear", "Present",
        "CreateVertexDeclaration", "CreateVertexBuffer", "CreateIndexBuffer", "CreateTexture",
        "CreateShaderProgram", "LockVertexBuffer", "UnlockVertexBuffer", "LockIndexBuffer", "UnlockIndexBuffer",
        "LockTexture", "UnlockTexture", "SetVertexDeclaration", "SetStreamSource", "SetIndices", "SetTexture",
        "SetRenderState", "SetSamplerState", "SetShaderProgram", "DrawIndexedPrimitive", "ReleaseResource",
    };
    static_assert(std::size(names) == static_cast<std::size_t>(Op::ReleaseResource) + 1);
    return names[static_cast<std::size_t>(op)];
}

const std::vector<Record>& calls() { return control().log; }

std::vector<Record> callsOf(Op op) {
    std::vector<Record> matching;
    std::copy_if(control().log.begin(), control().log.end(), std::back_inserter(matching),
                 [op](const Record& entry) { return entry.op == op; });
    return matching;
}

std::size_t countOf(Op op) {
    return static_cast<std::size_t>(std::count_if(control().log.begin(), control().log.end(),
                                                  [op](const Record& entry) { return entry.op == op; }));
}

void clearCalls() { control().log.clear(); }
void setLogPerFrame(bool on) { control().logPerFrame = on; }

void setRasterizing(bool on) {
    control().rasterizing = [on] { return on; };
}
void setRasterizing(std::function<bool()> predicate) { control().rasterizing = std::move(predicate); }

std::uint32_t Image::pixel(int x, int y) const {
    const std::uint8_t* p = rgba.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                           static_cast<std::size_t>(x)) * 4;
    return D3DCOLOR_ARGB(p[3], p[0], p[1], p[2]);
}

const Image& backBuffer() { return control().back; }
const Image& frontBuffer() { return control().front; }

void setPresentListener(PresentListener listener) { control().presentListener = std::move(listener); }
std::uint64_t presentCount() { return control().presents; }

std::span<const std::byte> contents(IDirect3DVertexBuffer9* buffer) {
    const auto& bytes = static_cast<detail::SoftVertexBuffer*>(buffer)->bytes();
    return {bytes.data(), bytes.size()};
}

std::span<const std::byte> contents(IDirect3DIndexBuffer9* buffer) {
    const auto& bytes = static_cast<detail::SoftIndexBuffer*>(buffer)->bytes();
    return {bytes.data(), bytes.size()};
}

void failNext(Fault fault, unsigned count) { control().pendingFaults[static_cast<std::size_t>(fault)] = count; }

void loseDevice(unsigned lostTests) {
    control().lost = true;
    control().lostTestsLeft = lostTests;
}

void setLostTests(unsigned lostTests) { control().lostTestsOnPresentFailure = lostTests; }
bool deviceLost() { return control().lost; }

unsigned liveDefaultPoolResources() { return control().liveResetBlockers; }
unsigned liveObjects() { return control().liveObjects; }

IDirect3DDevice9* currentDevice() { return control().device; }

void reset() {
    detail::ControlState& state = control();
    state.log.clear();
    state.logPerFrame = false;
    state.rasterizing = nullptr;
    state.pendingFaults.fill(0);
    state.lost = false;
    state.lostTestsLeft = 0;
    state.lostTestsOnPresentFailure = 0;
    state.presentListener = nullptr;
    state.presents = 0;
    for (std::size_t channel = 0; channel < state.back.rgba.size(); ++channel) {
        state.back.rgba[channel] = channel % 4 == 3 ? 255 : 0;
    }
    state.front = state.back;
}

}  // namespace softgfx
