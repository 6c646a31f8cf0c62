#include "platform/soft/device.h"

#include "platform/headless.h"
#include "platform/soft/shader_check.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace softgfx::detail {

namespace {

// The client area of the window: its outer size less the one-pixel border on each side.
void clientSize(UINT& width, UINT& height) {
    const headless::WindowState window = headless::windowState();
    const int outerWidth = window.exists ? window.width : 820;
    const int outerHeight = window.exists ? window.height : 320;
    width = static_cast<UINT>(std::max(1, outerWidth - 2));
    height = static_cast<UINT>(std::max(1, outerHeight - 2));
}

bool validPool(D3DPOOL pool) { return pool == D3DPOOL_DEFAULT || pool == D3DPOOL_MANAGED || pool == D3DPOOL_SYSTEMMEM; }

// Reads the three attributes the rasterizer shades with; anything else in a
// declaration is accepted and ignored.
bool readLayout(const D3DVERTEXELEMENT9* elements, VertexLayout& layout) {
    for (const D3DVERTEXELEMENT9* element = elements; element->Stream != 0xFF; ++element) {
        if (element->Stream != 0 || element->UsageIndex != 0) continue;
        const int offset = element->Offset;
        if (element->Usage == D3DDECLUSAGE_POSITION && element->Type == D3DDECLTYPE_FLOAT3) {
            layout.positionOffset = offset;
        } else if (element->Usage == D3DDECLUSAGE_TEXCOORD && element->Type == D3DDECLTYPE_FLOAT2) {
            layout.texcoordOffset = offset;
        } else if (element->Usage == D3DDECLUSAGE_COLOR &&
                   (element->Type == D3DDECLTYPE_FLOAT4 || element->Type == D3DDECLTYPE_D3DCOLOR)) {
            layout.colorOffset = offset;
            layout.colorIsPacked = element->Type == D3DDECLTYPE_D3DCOLOR;
        } else if (element->Type > D3DDECLTYPE_D3DCOLOR) {
            return false;
        }
    }
    return layout.positionOffset >= 0;
}

template <class Value>
Value readAt(const std::byte* bytes) {
    Value value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

}  // namespace

void forgetBinding(IDirect3DDevice9* device, const void* object) { static_cast<SoftDevice*>(device)->forget(object); }

SoftDevice::SoftDevice(const D3DPRESENT_PARAMETERS& parameters) : RefCounted(false) {
    applyPresentation(parameters);
    restoreDefaultState();
    control().device = this;
}

SoftDevice::~SoftDevice() {
    if (control().device == this) control().device = nullptr;
}

void SoftDevice::applyPresentation(const D3DPRESENT_PARAMETERS& parameters) {
    UINT width = parameters.BackBufferWidth;
    UINT height = parameters.BackBufferHeight;
    UINT clientWidth = 0, clientHeight = 0;
    clientSize(clientWidth, clientHeight);
    if (width == 0) width = clientWidth;
    if (height == 0) height = clientHeight;

    Image& back = control().back;
    back.width = static_cast<int>(width);
    back.height = static_cast<int>(height);
    back.rgba.assign(std::size_t{width} * height * 4, 0);
    for (std::size_t alpha = 3; alpha < back.rgba.size(); alpha += 4) back.rgba[alpha] = 255;
    control().front = back;
    depth_.assign(std::size_t{width} * height, 1.0f);
}

void SoftDevice::restoreDefaultState() {
    renderState_ = RasterState{};
    samplers_.fill(SamplerState{});
    textures_.fill(nullptr);
    declaration_ = nullptr;
    streamBuffer_ = nullptr;
    streamOffset_ = streamStride_ = 0;
    indices_ = nullptr;
    program_ = nullptr;
}

void SoftDevice::forget(const void* object) {
    for (auto& texture : textures_) {
        if (texture == object) texture = nullptr;
    }
    if (declaration_ == object) declaration_ = nullptr;
    if (streamBuffer_ == object) streamBuffer_ = nullptr;
    if (indices_ == object) indices_ = nullptr;
    if (program_ == object) program_ = nullptr;
}

HRESULT SoftDevice::TestCooperativeLevel() {
    ControlState& state = control();
    HRESULT result = D3D_OK;
    if (state.lost) {
        if (state.lostTestsLeft > 0) {
            --state.lostTestsLeft;
            result = D3DERR_DEVICELOST;
        } else {
            result = D3DERR_DEVICENOTRESET;
        }
    }
    record(Op::TestCooperativeLevel, result, this);
    return result;
}

HRESULT SoftDevice::Reset(D3DPRESENT_PARAMETERS* parameters) {
    ControlState& state = control();
    HRESULT result = D3D_OK;
    if (!parameters || state.liveResetBlockers > 0 || inScene_) {
        result = D3DERR_INVALIDCALL;
    } else if ((state.lost && state.lostTestsLeft > 0) || takeFault(Fault::Reset)) {
        result = D3DERR_DEVICELOST;
        state.lost = true;
    } else {
        applyPresentation(*parameters);
        restoreDefaultState();
        state.lost = false;
    }
    record(Op::Reset, result, this);
    return result;
}

HRESULT SoftDevice::BeginScene() {
    ControlState& state = control();
    if (state.logPerFrame) state.log.clear();
    HRESULT result = D3D_OK;
    if (inScene_ || takeFault(Fault::BeginScene)) {
        result = D3DERR_INVALIDCALL;
    } else {
        inScene_ = true;
        rasterizingScene_ = !state.rasterizing || state.rasterizing();
    }
    record(Op::BeginScene, result, this);
    return result;
}

HRESULT SoftDevice::EndScene() {
    const HRESULT result = inScene_ ? D3D_OK : D3DERR_INVALIDCALL;
    inScene_ = false;
    record(Op::EndScene, result, this);
    return result;
}

HRESULT SoftDevice::Clear(DWORD rectCount, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                          DWORD /*stencil*/) {
    const bool valid = (rectCount == 0 || rects) && (flags & (D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER)) != 0;
    const HRESULT result = valid ? D3D_OK : D3DERR_INVALIDCALL;
    Record& entry = record(Op::Clear, result, this);
    entry.flags = flags;
    entry.color = color;
    entry.z = z;
    entry.length = rectCount;
    if (!valid || !rasterizingScene_) return result;

    const Image& back = control().back;
    if (rectCount == 0) {
        clearTarget({0, 0, back.width, back.height}, flags, color, z);
    }
    for (DWORD i = 0; i < rectCount; ++i) clearTarget(rects[i], flags, color, z);
    return result;
}

void SoftDevice::clearTarget(const D3DRECT& rect, DWORD flags, D3DCOLOR color, float z) {
    Image& back = control().back;
    const int left = std::clamp<int>(rect.x1, 0, back.width);
    const int right = std::clamp<int>(rect.x2, 0, back.width);
    const int top = std::clamp<int>(rect.y1, 0, back.height);
    const int bottom = std::clamp<int>(rect.y2, 0, back.height);
    const std::uint8_t rgba[4] = {static_cast<std::uint8_t>(color >> 16), static_cast<std::uint8_t>(color >> 8),
                                  static_cast<std::uint8_t>(color), 255};
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(back.width) +
                                   static_cast<std::size_t>(x);
            if (flags & D3DCLEAR_TARGET) std::memcpy(back.rgba.data() + at * 4, rgba, 4);
            if (flags & D3DCLEAR_ZBUFFER) depth_[at] = std::clamp(z, 0.0f, 1.0f);
        }
    }
}

HRESULT SoftDevice::Present(const RECT*, const RECT*, HWND, const void*) {
    ControlState& state = control();
    HRESULT result = D3D_OK;
    if (state.lost) {
        result = D3DERR_DEVICELOST;
    } else if (takeFault(Fault::Present)) {
        result = D3DERR_DEVICELOST;
        state.lost = true;
        state.lostTestsLeft = state.lostTestsOnPresentFailure;
    }
    if (result == D3D_OK && rasterizingScene_) state.front = state.back;
    ++state.presents;
    record(Op::Present, result, this);
    headless::advance(headless::frameCost());
    if (state.presentListener) state.presentListener(result);
    return result;
}

HRESULT SoftDevice::CreateVertexDeclaration(const D3DVERTEXELEMENT9* elements,
                                            IDirect3DVertexDeclaration9** declaration) {
    HRESULT result = D3D_OK;
    VertexLayout layout;
    if (!elements || !declaration || !readLayout(elements, layout)) {
        result = D3DERR_INVALIDCALL;
    } else if (takeFault(Fault::CreateVertexDeclaration)) {
        result = E_OUTOFMEMORY;
    }
    if (declaration) *declaration = result == D3D_OK ? new SoftVertexDeclaration(this, layout) : nullptr;
    record(Op::CreateVertexDeclaration, result, declaration ? *declaration : nullptr);
    return result;
}

HRESULT SoftDevice::CreateVertexBuffer(UINT length, DWORD usage, DWORD /*fvf*/, D3DPOOL pool,
                                       IDirect3DVertexBuffer9** buffer, void* /*sharedHandle*/) {
    HRESULT result = D3D_OK;
    if (!buffer || length == 0 || !validPool(pool)) {
        result = D3DERR_INVALIDCALL;
    } else if (takeFault(Fault::CreateVertexBuffer)) {
        result = D3DERR_OUTOFVIDEOMEMORY;
    }
    if (buffer) *buffer = result == D3D_OK ? new SoftVertexBuffer(this, length, usage, pool) : nullptr;
    Record& entry = record(Op::CreateVertexBuffer, result, buffer ? *buffer : nullptr);
    entry.length = length;
    entry.usage = usage;
    entry.pool = pool;
    return result;
}

HRESULT SoftDevice::CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                      IDirect3DIndexBuffer9** buffer, void* /*sharedHandle*/) {
    HRESULT result = D3D_OK;
    const bool knownFormat = format == D3DFMT_INDEX16 || format == D3DFMT_INDEX32;
    if (!buffer || length == 0 || !knownFormat || !validPool(pool)) {
        result = D3DERR_INVALIDCALL;
    } else if (takeFault(Fault::CreateIndexBuffer)) {
        result = D3DERR_OUTOFVIDEOMEMORY;
    }
    if (buffer) *buffer = result == D3D_OK ? new SoftIndexBuffer(this, length, usage, format, pool) : nullptr;
    Record& entry = record(Op::CreateIndexBuffer, result, buffer ? *buffer : nullptr);
    entry.length = length;
    entry.usage = usage;
    entry.pool = pool;
    entry.indexFormat = format;
    return result;
}

HRESULT SoftDevice::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                  IDirect3DTexture9** texture, void* /*sharedHandle*/) {
    constexpr UINT largestSide = 8192;
    HRESULT result = D3D_OK;
    if (!texture || width == 0 || height == 0 || width > largestSide || height > largestSide ||
        format != D3DFMT_A8R8G8B8 || !validPool(pool)) {
        result = D3DERR_INVALIDCALL;
    } else if (takeFault(Fault::CreateTexture)) {
        result = E_OUTOFMEMORY;
    }
    if (texture) *texture = result == D3D_OK ? new SoftTexture(this, width, height, levels, usage, pool) : nullptr;
    Record& entry = record(Op::CreateTexture, result, texture ? *texture : nullptr);
    entry.width = width;
    entry.height = height;
    entry.levels = texture && *texture ? (*texture)->GetLevelCount() : levels;
    entry.usage = usage;
    entry.pool = pool;
    return result;
}

HRESULT SoftDevice::SetVertexDeclaration(IDirect3DVertexDeclaration9* declaration) {
    declaration_ = static_cast<SoftVertexDeclaration*>(declaration);
    record(Op::SetVertexDeclaration, D3D_OK, declaration);
    return D3D_OK;
}

HRESULT SoftDevice::SetStreamSource(UINT stream, IDirect3DVertexBuffer9* buffer, UINT offset, UINT stride) {
    const HRESULT result = stream == 0 ? D3D_OK : D3DERR_INVALIDCALL;
    if (result == D3D_OK) {
        streamBuffer_ = static_cast<SoftVertexBuffer*>(buffer);
        streamOffset_ = offset;
        streamStride_ = stride;
    }
    Record& entry = record(Op::SetStreamSource, result, buffer);
    entry.vertexBuffer = buffer;
    entry.stage = stream;
    entry.offset = offset;
    entry.value = stride;
    return result;
}

HRESULT SoftDevice::SetIndices(IDirect3DIndexBuffer9* buffer) {
    indices_ = static_cast<SoftIndexBuffer*>(buffer);
    Record& entry = record(Op::SetIndices, D3D_OK, buffer);
    entry.indexBuffer = buffer;
    entry.indexFormat = indices_ ? indices_->format() : D3DFMT_UNKNOWN;
    return D3D_OK;
}

HRESULT SoftDevice::SetTexture(DWORD stage, IDirect3DBaseTexture9* texture) {
    const HRESULT result = stage < stages ? D3D_OK : D3DERR_INVALIDCALL;
    if (result == D3D_OK) textures_[stage] = texture;
    Record& entry = record(Op::SetTexture, result, texture);
    entry.stage = stage;
    entry.texture = texture;
    return result;
}

HRESULT SoftDevice::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
    switch (state) {
        case D3DRS_ZENABLE: renderState_.depthTest = value != 0; break;
        case D3DRS_ZWRITEENABLE: renderState_.depthWrite = value != 0; break;
        case D3DRS_ZFUNC: renderState_.depthFunction = value; break;
        case D3DRS_CULLMODE: renderState_.cullMode = value; break;
        case D3DRS_ALPHABLENDENABLE: renderState_.blend = value != 0; break;
        case D3DRS_SRCBLEND: renderState_.sourceBlend = value; break;
        case D3DRS_DESTBLEND: renderState_.destinationBlend = value; break;
    }
    Record& entry = record(Op::SetRenderState, D3D_OK, this);
    entry.state = state;
    entry.value = value;
    return D3D_OK;
}

HRESULT SoftDevice::SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) {
    const HRESULT result = sampler < stages ? D3D_OK : D3DERR_INVALIDCALL;
    if (result == D3D_OK) {
        SamplerState& target = samplers_[sampler];
        switch (type) {
            case D3DSAMP_ADDRESSU: target.addressU = value; break;
            case D3DSAMP_ADDRESSV: target.addressV = value; break;
            case D3DSAMP_MAGFILTER: target.magFilter = value; break;
            case D3DSAMP_MINFILTER: target.minFilter = value; break;
            case D3DSAMP_MIPFILTER: target.mipFilter = value; break;
        }
    }
    Record& entry = record(Op::SetSamplerState, result, this);
    entry.stage = sampler;
    entry.state = type;
    entry.value = value;
    return result;
}

bool SoftDevice::indicesInRange(UINT startIndex, UINT primitiveCount) const {
    const std::uint64_t end = std::uint64_t{startIndex} + std::uint64_t{primitiveCount} * 3;
    return end <= indices_->indexCount();
}

HRESULT SoftDevice::DrawIndexedPrimitive(D3DPRIMITIVETYPE type, INT baseVertexIndex, UINT minVertexIndex,
                                         UINT numVertices, UINT startIndex, UINT primitiveCount) {
    HRESULT result = D3D_OK;
    if (!inScene_ || type != D3DPT_TRIANGLELIST || !declaration_ || !streamBuffer_ || !indices_ ||
        streamStride_ == 0 || primitiveCount == 0 || !indicesInRange(startIndex, primitiveCount) ||
        takeFault(Fault::DrawIndexedPrimitive)) {
        result = D3DERR_INVALIDCALL;
    }
    Record& entry = record(Op::DrawIndexedPrimitive, result, this);
    entry.primitiveType = type;
    entry.baseVertexIndex = baseVertexIndex;
    entry.minVertexIndex = minVertexIndex;
    entry.numVertices = numVertices;
    entry.startIndex = startIndex;
    entry.primitiveCount = primitiveCount;
    entry.texture = textures_[0];
    entry.indexFormat = indices_ ? indices_->format() : D3DFMT_UNKNOWN;
    entry.vertexBuffer = streamBuffer_;
    entry.indexBuffer = indices_;
    entry.program = program_;
    if (result == D3D_OK && rasterizingScene_) rasterize(baseVertexIndex, startIndex, primitiveCount);
    return result;
}

RasterState SoftDevice::rasterState() const {
    RasterState state = renderState_;
    state.sampler = samplers_[0];
    const auto& live = control().liveTextures;
    const auto found = live.find(textures_[0]);
    state.texture = found == live.end() ? nullptr : &found->second->levels();
    return state;
}

bool SoftDevice::fetchVertex(std::int64_t index, RasterVertex& vertex) const {
    const VertexLayout& layout = declaration_->layout();
    const std::vector<std::byte>& bytes = streamBuffer_->bytes();
    if (index < 0) return false;
    const std::uint64_t start = streamOffset_ + static_cast<std::uint64_t>(index) * streamStride_;
    const auto fits = [&](int offset, std::size_t size) {
        return offset < 0 || start + static_cast<std::uint64_t>(offset) + size <= bytes.size();
    };
    if (!fits(layout.positionOffset, 12) || !fits(layout.texcoordOffset, 8) ||
        !fits(layout.colorOffset, layout.colorIsPacked ? 4 : 16)) {
        return false;
    }
    const std::byte* base = bytes.data() + start;
    const Image& back = control().back;
    const float x = readAt<float>(base + layout.positionOffset);
    const float y = readAt<float>(base + layout.positionOffset + 4);
    vertex.x = (x + 1.0f) * 0.5f * static_cast<float>(back.width);
    vertex.y = (1.0f - y) * 0.5f * static_cast<float>(back.height);
    vertex.z = readAt<float>(base + layout.positionOffset + 8);
    vertex.u = layout.texcoordOffset < 0 ? 0.0f : readAt<float>(base + layout.texcoordOffset);
    vertex.v = layout.texcoordOffset < 0 ? 0.0f : readAt<float>(base + layout.texcoordOffset + 4);
    if (layout.colorOffset < 0) {
        vertex.color = {1.0f, 1.0f, 1.0f, 1.0f};
    } else if (layout.colorIsPacked) {
        const auto packed = readAt<D3DCOLOR>(base + layout.colorOffset);
        vertex.color = {static_cast<float>((packed >> 16) & 0xFF) / 255.0f,
                        static_cast<float>((packed >> 8) & 0xFF) / 255.0f, static_cast<float>(packed & 0xFF) / 255.0f,
                        static_cast<float>(packed >> 24) / 255.0f};
    } else {
        vertex.color = {readAt<float>(base + layout.colorOffset), readAt<float>(base + layout.colorOffset + 4),
                        readAt<float>(base + layout.colorOffset + 8), readAt<float>(base + layout.colorOffset + 12)};
    }
    return true;
}

void SoftDevice::rasterize(INT baseVertexIndex, UINT startIndex, UINT primitiveCount) {
    const RasterState state = rasterState();
    RenderTarget target{control().back, depth_};
    for (UINT triangle = 0; triangle < primitiveCount; ++triangle) {
        RasterVertex corners[3];
        bool complete = true;
        for (UINT corner = 0; corner < 3 && complete; ++corner) {
            const std::int64_t index = std::int64_t{baseVertexIndex} + indices_->index(startIndex + triangle * 3 + corner);
            complete = fetchVertex(index, corners[corner]);
        }
        // A triangle that reaches past the vertex buffer is skipped, not read out of bounds.
        if (complete) rasterizeTriangle(target, state, corners[0], corners[1], corners[2]);
    }
}

HRESULT SoftDevice::CreateShaderProgram(const char* vertexSource, const char* pixelSource,
                                        IDirect3DShaderProgram** program, char* log, UINT logSize) {
    HRESULT result = D3D_OK;
    std::string reason;
    if (!program || !vertexSource || !pixelSource) {
        result = D3DERR_INVALIDCALL;
        reason = "no program sources";
    } else if (!programCompiles(vertexSource, pixelSource, &reason)) {
        result = E_FAIL;
    }
    if (program) *program = result == D3D_OK ? new SoftShaderProgram(this) : nullptr;
    if (log && logSize > 0) {
        const std::size_t length = std::min<std::size_t>(reason.size(), logSize - 1);
        std::memcpy(log, reason.data(), length);
        log[length] = '\0';
    }
    record(Op::CreateShaderProgram, result, program ? *program : nullptr);
    return result;
}

HRESULT SoftDevice::SetShaderProgram(IDirect3DShaderProgram* program) {
    program_ = program;
    Record& entry = record(Op::SetShaderProgram, D3D_OK, program);
    entry.program = program;
    return D3D_OK;
}

}  // namespace softgfx::detail
