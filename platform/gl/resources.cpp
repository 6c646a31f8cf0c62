#include "platform/gl/resources.h"

#include "platform/gl/device.h"

#include <algorithm>
#include <cstring>

namespace glgfx {

DeviceLink::DeviceLink(GlDevice* device) : device_(device) { device_->AddRef(); }

DeviceLink::~DeviceLink() { device_->Release(); }

HRESULT DeviceLink::getDevice(IDirect3DDevice9** device) const {
    if (!device) return D3DERR_INVALIDCALL;
    device_->AddRef();
    *device = device_;
    return D3D_OK;
}

BufferStorage::BufferStorage(GLenum target, UINT length) : target_(target), bytes_(length) {
    glGenBuffers(1, &name_);
    glBindBuffer(target_, name_);
    glBufferData(target_, static_cast<GLsizeiptr>(length), nullptr, GL_DYNAMIC_DRAW);
}

BufferStorage::~BufferStorage() { glDeleteBuffers(1, &name_); }

HRESULT BufferStorage::lock(UINT offset, UINT size, void** data, DWORD flags) {
    if (!data || locked_) return D3DERR_INVALIDCALL;
    *data = nullptr;
    const UINT length = static_cast<UINT>(bytes_.size());
    if (offset == 0 && size == 0) size = length;
    if (offset > length || size > length - offset) return D3DERR_INVALIDCALL;
    locked_ = true;
    lockedOffset_ = offset;
    lockedSize_ = size;
    discard_ = (flags & D3DLOCK_DISCARD) != 0;
    *data = bytes_.data() + offset;
    return D3D_OK;
}

HRESULT BufferStorage::unlock() {
    if (!locked_) return D3DERR_INVALIDCALL;
    locked_ = false;
    glBindBuffer(target_, name_);
    // A discarding lock lets GL hand out fresh storage instead of waiting for draws that still read the old.
    if (discard_) glBufferData(target_, static_cast<GLsizeiptr>(bytes_.size()), nullptr, GL_DYNAMIC_DRAW);
    glBufferSubData(target_, lockedOffset_, lockedSize_, bytes_.data() + lockedOffset_);
    return D3D_OK;
}

GlVertexBuffer::GlVertexBuffer(GlDevice* device, UINT length, DWORD usage, D3DPOOL pool)
    : link_(device), storage_(GL_ARRAY_BUFFER, length), usage_(usage), pool_(pool) {}

GlVertexBuffer::~GlVertexBuffer() { link_.device()->forget(this); }

HRESULT GlVertexBuffer::GetDesc(D3DVERTEXBUFFER_DESC* desc) {
    if (!desc) return D3DERR_INVALIDCALL;
    *desc = D3DVERTEXBUFFER_DESC{usage_, pool_, storage_.length()};
    return D3D_OK;
}

GlIndexBuffer::GlIndexBuffer(GlDevice* device, UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool)
    : link_(device), storage_(GL_ELEMENT_ARRAY_BUFFER, length), usage_(usage), format_(format), pool_(pool) {}

GlIndexBuffer::~GlIndexBuffer() { link_.device()->forget(this); }

HRESULT GlIndexBuffer::GetDesc(D3DINDEXBUFFER_DESC* desc) {
    if (!desc) return D3DERR_INVALIDCALL;
    *desc = D3DINDEXBUFFER_DESC{format_, usage_, pool_, storage_.length()};
    return D3D_OK;
}

UINT GlTexture::levelCount(UINT width, UINT height, UINT levels) {
    UINT full = 1;
    for (UINT side = std::max(width, height); side > 1; side /= 2) ++full;
    return levels == 0 ? full : std::min(levels, full);
}

GlTexture::GlTexture(GlDevice* device, UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                     D3DPOOL pool)
    : link_(device), width_(width), height_(height), levels_(levelCount(width, height, levels)), usage_(usage),
      format_(format), pool_(pool) {
    glGenTextures(1, &name_);
    glBindTexture(GL_TEXTURE_2D, name_);
    allocateLevels(device->context().hasTextureStorage());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(levels_ - 1));
    // X8R8G8B8 carries no alpha: its texels are opaque whatever the fourth byte holds.
    if (format_ == D3DFMT_X8R8G8B8) glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_A, GL_ONE);
}

GlTexture::~GlTexture() {
    link_.device()->forget(this);
    glDeleteTextures(1, &name_);
}

// One call for the whole chain where the context has it: the driver then lays
// out and allocates the texture once, instead of level by level.
void GlTexture::allocateLevels(bool immutableStorage) {
    if (immutableStorage) {
        glTexStorage2D(GL_TEXTURE_2D, static_cast<GLsizei>(levels_), GL_RGBA8, static_cast<GLsizei>(width_),
                       static_cast<GLsizei>(height_));
        return;
    }
    for (UINT level = 0; level < levels_; ++level)
        glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), GL_RGBA8, static_cast<GLsizei>(levelWidth(level)),
                     static_cast<GLsizei>(levelHeight(level)), 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
}

UINT GlTexture::levelWidth(UINT level) const { return std::max(1u, width_ >> level); }
UINT GlTexture::levelHeight(UINT level) const { return std::max(1u, height_ >> level); }

HRESULT GlTexture::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) {
    if (!desc || level >= levels_) return D3DERR_INVALIDCALL;
    *desc = D3DSURFACE_DESC{format_, D3DRTYPE_TEXTURE, usage_, pool_, levelWidth(level), levelHeight(level)};
    return D3D_OK;
}

HRESULT GlTexture::LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD) {
    if (!locked || rect || level >= levels_ || locked_) return D3DERR_INVALIDCALL;
    lockedLevelBytes_.assign(std::size_t{levelWidth(level)} * levelHeight(level) * 4, std::byte{0});
    lockedLevel_ = level;
    locked_ = true;
    *locked = D3DLOCKED_RECT{static_cast<INT>(levelWidth(level) * 4), lockedLevelBytes_.data()};
    return D3D_OK;
}

HRESULT GlTexture::UnlockRect(UINT level) {
    if (!locked_ || level != lockedLevel_) return D3DERR_INVALIDCALL;
    locked_ = false;
    glBindTexture(GL_TEXTURE_2D, name_);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    // A8R8G8B8 lies in memory as B, G, R, A: GL's BGRA order.
    glTexSubImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), 0, 0, static_cast<GLsizei>(levelWidth(level)),
                    static_cast<GLsizei>(levelHeight(level)), GL_BGRA, GL_UNSIGNED_BYTE, lockedLevelBytes_.data());
    lockedLevelBytes_.clear();
    lockedLevelBytes_.shrink_to_fit();
    return D3D_OK;
}

GlVertexDeclaration::GlVertexDeclaration(GlDevice* device, std::vector<VertexAttribute> attributes)
    : link_(device), attributes_(std::move(attributes)) {}

GlVertexDeclaration::~GlVertexDeclaration() { link_.device()->forget(this); }

GlShaderProgram::GlShaderProgram(GlDevice* device, GLuint program) : link_(device), name_(program) {}

GlShaderProgram::~GlShaderProgram() {
    link_.device()->forget(this);
    glDeleteProgram(name_);
}

}  // namespace glgfx
