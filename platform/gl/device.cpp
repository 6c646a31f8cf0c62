#include "platform/gl/device.h"

#include "platform/gl/program_builder.h"
#include "platform/gl/resources.h"
#include "platform/gl/state_mapping.h"
#include "platform/gl/vertex_layout.h"
#include "platform/sdl/sdl_window.h"

#include <algorithm>
#include <cstdio>

namespace glgfx {

namespace {

constexpr int border = sdlwin::borderWidth;
// The thin frame of the window, a dark grey that stays visible against a black desktop.
constexpr float borderGrey = 0x3C / 255.0f;

float channel(D3DCOLOR color, int shift) { return static_cast<float>((color >> shift) & 0xFF) / 255.0f; }

template <class Concrete, class Interface>
Concrete* concrete(Interface* object) {
    return static_cast<Concrete*>(object);
}

// OpenGL leaves open which triangle owns a pixel centre that lies exactly on an
// edge; the software device gives it by the top-left rule. Moving the picture
// left and up by less than a pixel, but by more than the rasterizer's sub-pixel
// grid, makes every such tie come out the same way.
constexpr float tieBreakingShift = 1.0f / 128.0f;

bool hasFractionalViewport() {
    GLint major = 0, minor = 0;
    glGetIntegerv(GL_MAJOR_VERSION, &major);
    glGetIntegerv(GL_MINOR_VERSION, &minor);
    return major * 10 + minor >= 41;
}

void setClientViewport(int width, int height) {
    if (hasFractionalViewport())
        glViewportIndexedf(0, border - tieBreakingShift, border + tieBreakingShift, static_cast<float>(width),
                           static_cast<float>(height));
    else
        glViewport(border, border, width, height);
}

void setEnabled(GLenum capability, bool on) {
    if (on)
        glEnable(capability);
    else
        glDisable(capability);
}

}  // namespace

GlDevice::GlDevice(SharedContext context, const D3DPRESENT_PARAMETERS& parameters)
    : context_(std::move(context)), parameters_(parameters) {
    glGenVertexArrays(1, &vertexArray_);
    glGenSamplers(1, &sampler_);
    applyPresentation(parameters_);
    restoreDefaultState();
}

GlDevice::~GlDevice() {
    glDeleteSamplers(1, &sampler_);
    glDeleteVertexArrays(1, &vertexArray_);
}

void GlDevice::applyPresentation(const D3DPRESENT_PARAMETERS& parameters) {
    SDL_GL_GetDrawableSize(context_->window(), &windowWidth_, &windowHeight_);
    const int interval = parameters.PresentationInterval == D3DPRESENT_INTERVAL_IMMEDIATE ? 0 : 1;
    // Where the driver cannot synchronise (llvmpipe under Xvfb), the main loop's pacing limits the frames.
    SDL_GL_SetSwapInterval(interval);
    setClientViewport(std::max(0, windowWidth_ - 2 * border), std::max(0, windowHeight_ - 2 * border));
}

// The state of a new or reset Direct3D 9 device.
void GlDevice::restoreDefaultState() {
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    depthWrite_ = true;
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    blend_ = BlendSettings{};
    applyBlend();
    glEnable(GL_CULL_FACE);
    glCullFace(*culledFace(D3DCULL_CCW));
    glFrontFace(GL_CCW);
    sampler0_ = SamplerSettings{};
    applySampler();
    declaration_ = nullptr;
    stream_ = nullptr;
    streamOffset_ = streamStride_ = 0;
    indices_ = nullptr;
    texture_ = nullptr;
    program_ = nullptr;
}

void GlDevice::applyBlend() const { glBlendFunc(*blendFactor(blend_.source), *blendFactor(blend_.destination)); }

void GlDevice::applySampler() const {
    glSamplerParameteri(sampler_, GL_TEXTURE_WRAP_S, static_cast<GLint>(*addressMode(sampler0_.addressU)));
    glSamplerParameteri(sampler_, GL_TEXTURE_WRAP_T, static_cast<GLint>(*addressMode(sampler0_.addressV)));
    glSamplerParameteri(sampler_, GL_TEXTURE_MAG_FILTER, static_cast<GLint>(magnificationFilter(sampler0_.magFilter)));
    glSamplerParameteri(sampler_, GL_TEXTURE_MIN_FILTER,
                        static_cast<GLint>(minificationFilter(sampler0_.minFilter, sampler0_.mipFilter)));
}

void GlDevice::forget(const void* object) {
    if (object == declaration_) declaration_ = nullptr;
    if (object == stream_) stream_ = nullptr;
    if (object == indices_) indices_ = nullptr;
    if (object == texture_) texture_ = nullptr;
    if (object == program_) program_ = nullptr;
}

HRESULT GlDevice::TestCooperativeLevel() { return D3D_OK; }

HRESULT GlDevice::Reset(D3DPRESENT_PARAMETERS* parameters) {
    if (!parameters || inScene_) return D3DERR_INVALIDCALL;
    parameters_ = *parameters;
    applyPresentation(parameters_);
    restoreDefaultState();
    return D3D_OK;
}

HRESULT GlDevice::BeginScene() {
    if (inScene_) return D3DERR_INVALIDCALL;
    inScene_ = true;
    return D3D_OK;
}

HRESULT GlDevice::EndScene() {
    if (!inScene_) return D3DERR_INVALIDCALL;
    inScene_ = false;
    return D3D_OK;
}

void GlDevice::scissorToClient() const {
    glScissor(border, border, std::max(0, windowWidth_ - 2 * border), std::max(0, windowHeight_ - 2 * border));
}

HRESULT GlDevice::Clear(DWORD rectCount, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z, DWORD stencil) {
    if (rectCount > 0 && !rects) return D3DERR_INVALIDCALL;
    GLbitfield buffers = 0;
    if (flags & D3DCLEAR_TARGET) buffers |= GL_COLOR_BUFFER_BIT;
    if (flags & D3DCLEAR_ZBUFFER) buffers |= GL_DEPTH_BUFFER_BIT;
    if (flags & D3DCLEAR_STENCIL) buffers |= GL_STENCIL_BUFFER_BIT;
    glClearColor(channel(color, 16), channel(color, 8), channel(color, 0), channel(color, 24));
    glClearDepth(std::clamp(z, 0.0f, 1.0f));
    glClearStencil(static_cast<GLint>(stencil));
    glDepthMask(GL_TRUE);
    glEnable(GL_SCISSOR_TEST);
    const int clientHeight = windowHeight_ - 2 * border;
    if (rectCount == 0) {
        scissorToClient();
        glClear(buffers);
    }
    // Rectangles are in back-buffer pixels, y down.
    for (DWORD i = 0; i < rectCount; ++i) {
        const D3DRECT& r = rects[i];
        if (r.x2 <= r.x1 || r.y2 <= r.y1) continue;
        glScissor(border + r.x1, border + clientHeight - r.y2, r.x2 - r.x1, r.y2 - r.y1);
        glClear(buffers);
    }
    glDisable(GL_SCISSOR_TEST);
    glDepthMask(depthWrite_ ? GL_TRUE : GL_FALSE);
    return D3D_OK;
}

void GlDevice::paintBorder() const {
    glEnable(GL_SCISSOR_TEST);
    glClearColor(borderGrey, borderGrey, borderGrey, 1.0f);
    const int strips[4][4] = {{0, 0, windowWidth_, border},
                              {0, windowHeight_ - border, windowWidth_, border},
                              {0, 0, border, windowHeight_},
                              {windowWidth_ - border, 0, border, windowHeight_}};
    for (const auto& strip : strips) {
        glScissor(strip[0], strip[1], strip[2], strip[3]);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    glDisable(GL_SCISSOR_TEST);
}

HRESULT GlDevice::Present(const RECT*, const RECT*, HWND, const void*) {
    paintBorder();
    SDL_GL_SwapWindow(context_->window());
    return D3D_OK;
}

HRESULT GlDevice::CreateVertexDeclaration(const D3DVERTEXELEMENT9* elements,
                                          IDirect3DVertexDeclaration9** declaration) {
    if (!declaration) return D3DERR_INVALIDCALL;
    *declaration = nullptr;
    auto attributes = vertexAttributes(elements);
    if (!attributes) return D3DERR_INVALIDCALL;
    *declaration = new GlVertexDeclaration(this, std::move(*attributes));
    return D3D_OK;
}

HRESULT GlDevice::CreateVertexBuffer(UINT length, DWORD usage, DWORD, D3DPOOL pool, IDirect3DVertexBuffer9** buffer,
                                     void*) {
    if (!buffer) return D3DERR_INVALIDCALL;
    *buffer = nullptr;
    if (length == 0) return D3DERR_INVALIDCALL;
    *buffer = new GlVertexBuffer(this, length, usage, pool);
    return D3D_OK;
}

HRESULT GlDevice::CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                    IDirect3DIndexBuffer9** buffer, void*) {
    if (!buffer) return D3DERR_INVALIDCALL;
    *buffer = nullptr;
    if (length == 0 || (format != D3DFMT_INDEX16 && format != D3DFMT_INDEX32)) return D3DERR_INVALIDCALL;
    *buffer = new GlIndexBuffer(this, length, usage, format, pool);
    return D3D_OK;
}

HRESULT GlDevice::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                IDirect3DTexture9** texture, void*) {
    if (!texture) return D3DERR_INVALIDCALL;
    *texture = nullptr;
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    const bool sizeFits = width > 0 && height > 0 && width <= static_cast<UINT>(maxSize) &&
                          height <= static_cast<UINT>(maxSize);
    if (!sizeFits || (format != D3DFMT_A8R8G8B8 && format != D3DFMT_X8R8G8B8)) return D3DERR_INVALIDCALL;
    *texture = new GlTexture(this, width, height, levels, usage, format, pool);
    return D3D_OK;
}

HRESULT GlDevice::SetVertexDeclaration(IDirect3DVertexDeclaration9* declaration) {
    declaration_ = concrete<GlVertexDeclaration>(declaration);
    return D3D_OK;
}

HRESULT GlDevice::SetStreamSource(UINT stream, IDirect3DVertexBuffer9* buffer, UINT offset, UINT stride) {
    if (stream != 0) return D3DERR_INVALIDCALL;
    stream_ = concrete<GlVertexBuffer>(buffer);
    streamOffset_ = offset;
    streamStride_ = stride;
    return D3D_OK;
}

HRESULT GlDevice::SetIndices(IDirect3DIndexBuffer9* buffer) {
    indices_ = concrete<GlIndexBuffer>(buffer);
    return D3D_OK;
}

HRESULT GlDevice::SetTexture(DWORD stage, IDirect3DBaseTexture9* texture) {
    if (stage != 0) return D3DERR_INVALIDCALL;
    texture_ = static_cast<GlTexture*>(static_cast<IDirect3DTexture9*>(texture));
    return D3D_OK;
}

HRESULT GlDevice::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
    switch (state) {
        case D3DRS_ZENABLE: setEnabled(GL_DEPTH_TEST, value != 0); return D3D_OK;
        case D3DRS_ZWRITEENABLE:
            depthWrite_ = value != 0;
            glDepthMask(depthWrite_ ? GL_TRUE : GL_FALSE);
            return D3D_OK;
        case D3DRS_ZFUNC: {
            const auto function = compareFunction(value);
            if (!function) return D3DERR_INVALIDCALL;
            glDepthFunc(*function);
            return D3D_OK;
        }
        case D3DRS_ALPHABLENDENABLE: setEnabled(GL_BLEND, value != 0); return D3D_OK;
        case D3DRS_SRCBLEND:
        case D3DRS_DESTBLEND:
            if (!blendFactor(value)) return D3DERR_INVALIDCALL;
            (state == D3DRS_SRCBLEND ? blend_.source : blend_.destination) = value;
            applyBlend();
            return D3D_OK;
        case D3DRS_CULLMODE: {
            if (value != D3DCULL_NONE && !culledFace(value)) return D3DERR_INVALIDCALL;
            const auto face = culledFace(value);
            setEnabled(GL_CULL_FACE, face.has_value());
            if (face) glCullFace(*face);
            return D3D_OK;
        }
    }
    return D3DERR_INVALIDCALL;
}

HRESULT GlDevice::SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) {
    if (sampler != 0) return D3DERR_INVALIDCALL;
    switch (type) {
        case D3DSAMP_ADDRESSU:
        case D3DSAMP_ADDRESSV:
            if (!addressMode(value)) return D3DERR_INVALIDCALL;
            (type == D3DSAMP_ADDRESSU ? sampler0_.addressU : sampler0_.addressV) = value;
            break;
        case D3DSAMP_MAGFILTER: sampler0_.magFilter = value; break;
        case D3DSAMP_MINFILTER: sampler0_.minFilter = value; break;
        case D3DSAMP_MIPFILTER: sampler0_.mipFilter = value; break;
        default: return D3DERR_INVALIDCALL;
    }
    applySampler();
    return D3D_OK;
}

void GlDevice::bindVertexInput() const {
    glBindVertexArray(vertexArray_);
    glBindBuffer(GL_ARRAY_BUFFER, stream_->storage().name());
    constexpr GLuint locations = 3;
    for (GLuint location = 0; location < locations; ++location) glDisableVertexAttribArray(location);
    for (const VertexAttribute& attribute : declaration_->attributes()) {
        glEnableVertexAttribArray(attribute.location);
        glVertexAttribPointer(attribute.location, attribute.components, attribute.type, attribute.normalized,
                              static_cast<GLsizei>(streamStride_),
                              reinterpret_cast<const void*>(std::uintptr_t{streamOffset_} + attribute.offset));
    }
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indices_->storage().name());
}

bool GlDevice::indexRangeFits(UINT startIndex, UINT primitiveCount) const {
    const std::uint64_t lastIndex = std::uint64_t{startIndex} + std::uint64_t{primitiveCount} * 3;
    return lastIndex * indices_->indexSize() <= indices_->storage().length();
}

bool GlDevice::vertexRangeFits(INT baseVertexIndex, UINT minVertexIndex, UINT numVertices) const {
    if (streamStride_ == 0 || baseVertexIndex < 0) return false;
    const std::uint64_t available = (stream_->storage().length() - std::min(streamOffset_, stream_->storage().length())) /
                                    streamStride_;
    return std::uint64_t(baseVertexIndex) + minVertexIndex + numVertices <= available;
}

HRESULT GlDevice::DrawIndexedPrimitive(D3DPRIMITIVETYPE type, INT baseVertexIndex, UINT minVertexIndex,
                                       UINT numVertices, UINT startIndex, UINT primitiveCount) {
    const bool ready = inScene_ && type == D3DPT_TRIANGLELIST && declaration_ && stream_ && indices_ && program_;
    if (!ready || primitiveCount == 0 || !indexRangeFits(startIndex, primitiveCount) ||
        !vertexRangeFits(baseVertexIndex, minVertexIndex, numVertices))
        return D3DERR_INVALIDCALL;
    bindVertexInput();
    glUseProgram(program_->name());
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture_ ? texture_->name() : 0);
    glBindSampler(0, sampler_);
    glDrawElementsBaseVertex(GL_TRIANGLES, static_cast<GLsizei>(primitiveCount * 3), indices_->indexType(),
                             reinterpret_cast<const void*>(std::uintptr_t{startIndex} * indices_->indexSize()),
                             baseVertexIndex);
    return D3D_OK;
}

HRESULT GlDevice::CreateShaderProgram(const char* vertexSource, const char* pixelSource,
                                      IDirect3DShaderProgram** program, char* log, UINT logSize) {
    if (!program) return D3DERR_INVALIDCALL;
    *program = nullptr;
    BuiltProgram built = buildProgram(vertexSource, pixelSource);
    if (!built.program) {
        if (log && logSize > 0) std::snprintf(log, logSize, "%s", built.log.c_str());
        return E_FAIL;
    }
    *program = new GlShaderProgram(this, built.program);
    return D3D_OK;
}

HRESULT GlDevice::SetShaderProgram(IDirect3DShaderProgram* program) {
    program_ = concrete<GlShaderProgram>(program);
    return D3D_OK;
}

std::vector<std::uint8_t> GlDevice::readBackBuffer(int& width, int& height) const {
    width = std::max(0, windowWidth_ - 2 * border);
    height = std::max(0, windowHeight_ - 2 * border);
    std::vector<std::uint8_t> bottomUp(std::size_t(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(border, border, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    std::vector<std::uint8_t> topDown(bottomUp.size());
    const std::size_t row = std::size_t(width) * 4;
    for (int y = 0; y < height; ++y)
        std::copy_n(bottomUp.begin() + std::ptrdiff_t(row * (height - 1 - y)), row, topDown.begin() + std::ptrdiff_t(row * y));
    return topDown;
}

}  // namespace glgfx
