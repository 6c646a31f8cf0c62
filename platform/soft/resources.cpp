#include "platform/soft/resources.h"

#include <algorithm>

namespace softgfx::detail {

HRESULT ByteStore::lock(UINT offset, UINT size, void** data) {
    if (!data || locked_) return D3DERR_INVALIDCALL;
    const std::size_t length = bytes_.size();
    const std::size_t end = size == 0 ? length : std::size_t{offset} + size;
    if (offset > length || end > length) return D3DERR_INVALIDCALL;
    locked_ = true;
    *data = bytes_.data() + offset;
    return D3D_OK;
}

HRESULT ByteStore::unlock() {
    if (!locked_) return D3DERR_INVALIDCALL;
    locked_ = false;
    return D3D_OK;
}

namespace {

// Shared by both buffer kinds: the fault, the lock and its record.
template <class Buffer>
HRESULT lockBuffer(Buffer* buffer, ByteStore& store, Op op, UINT offset, UINT size, void** data, DWORD flags) {
    HRESULT result = D3DERR_INVALIDCALL;
    if (takeFault(Fault::Lock)) {
        if (data) *data = nullptr;
    } else {
        result = store.lock(offset, size, data);
    }
    Record& entry = record(op, result, static_cast<const void*>(buffer));
    entry.offset = offset;
    entry.size = size;
    entry.flags = flags;
    return result;
}

}  // namespace

SoftVertexBuffer::SoftVertexBuffer(IDirect3DDevice9* device, UINT length, DWORD usage, D3DPOOL pool)
    : DeviceChild(device, pool == D3DPOOL_DEFAULT), store_(length), usage_(usage), pool_(pool) {}

HRESULT SoftVertexBuffer::Lock(UINT offset, UINT size, void** data, DWORD flags) {
    return lockBuffer(this, store_, Op::LockVertexBuffer, offset, size, data, flags);
}

HRESULT SoftVertexBuffer::Unlock() {
    const HRESULT result = store_.unlock();
    record(Op::UnlockVertexBuffer, result, static_cast<const void*>(this));
    return result;
}

HRESULT SoftVertexBuffer::GetDesc(D3DVERTEXBUFFER_DESC* desc) {
    if (!desc) return D3DERR_INVALIDCALL;
    *desc = {usage_, pool_, static_cast<UINT>(store_.bytes().size())};
    return D3D_OK;
}

SoftIndexBuffer::SoftIndexBuffer(IDirect3DDevice9* device, UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool)
    : DeviceChild(device, pool == D3DPOOL_DEFAULT), store_(length), usage_(usage), format_(format), pool_(pool) {}

HRESULT SoftIndexBuffer::Lock(UINT offset, UINT size, void** data, DWORD flags) {
    return lockBuffer(this, store_, Op::LockIndexBuffer, offset, size, data, flags);
}

HRESULT SoftIndexBuffer::Unlock() {
    const HRESULT result = store_.unlock();
    record(Op::UnlockIndexBuffer, result, static_cast<const void*>(this));
    return result;
}

HRESULT SoftIndexBuffer::GetDesc(D3DINDEXBUFFER_DESC* desc) {
    if (!desc) return D3DERR_INVALIDCALL;
    *desc = {format_, usage_, pool_, static_cast<UINT>(store_.bytes().size())};
    return D3D_OK;
}

UINT SoftIndexBuffer::indexCount() const {
    const UINT width = format_ == D3DFMT_INDEX32 ? 4 : 2;
    return static_cast<UINT>(store_.bytes().size() / width);
}

std::uint32_t SoftIndexBuffer::index(UINT position) const {
    const std::byte* bytes = store_.bytes().data();
    if (format_ == D3DFMT_INDEX32) {
        std::uint32_t value;
        std::copy_n(bytes + std::size_t{position} * 4, 4, reinterpret_cast<std::byte*>(&value));
        return value;
    }
    std::uint16_t value;
    std::copy_n(bytes + std::size_t{position} * 2, 2, reinterpret_cast<std::byte*>(&value));
    return value;
}

UINT SoftTexture::fullChainLength(UINT width, UINT height) {
    UINT levels = 1;
    while (width > 1 || height > 1) {
        width = std::max(1u, width / 2);
        height = std::max(1u, height / 2);
        ++levels;
    }
    return levels;
}

SoftTexture::SoftTexture(IDirect3DDevice9* device, UINT width, UINT height, UINT levels, DWORD usage, D3DPOOL pool)
    : DeviceChild(device, pool == D3DPOOL_DEFAULT), usage_(usage), pool_(pool) {
    const UINT count = levels == 0 ? fullChainLength(width, height) : std::min(levels, fullChainLength(width, height));
    for (UINT level = 0; level < count; ++level) {
        levels_.push_back({width, height, std::vector<std::uint32_t>(std::size_t{width} * height)});
        width = std::max(1u, width / 2);
        height = std::max(1u, height / 2);
    }
    lockedLevels_.assign(count, false);
    control().liveTextures[this] = this;
}

SoftTexture::~SoftTexture() { control().liveTextures.erase(this); }

HRESULT SoftTexture::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) {
    if (!desc || level >= levels_.size()) return D3DERR_INVALIDCALL;
    *desc = {D3DFMT_A8R8G8B8, D3DRTYPE_TEXTURE, usage_, pool_, levels_[level].width, levels_[level].height};
    return D3D_OK;
}

HRESULT SoftTexture::LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) {
    HRESULT result = D3D_OK;
    if (takeFault(Fault::LockRect) || !locked || rect || level >= levels_.size() || lockedLevels_[level]) {
        result = D3DERR_INVALIDCALL;
        if (locked) *locked = {0, nullptr};
    } else {
        lockedLevels_[level] = true;
        TextureLevel& target = levels_[level];
        *locked = {static_cast<INT>(target.width * 4), target.texels.data()};
    }
    Record& entry = record(Op::LockTexture, result, static_cast<const void*>(this));
    entry.offset = level;
    entry.flags = flags;
    return result;
}

HRESULT SoftTexture::UnlockRect(UINT level) {
    HRESULT result = D3D_OK;
    if (level >= levels_.size() || !lockedLevels_[level]) {
        result = D3DERR_INVALIDCALL;
    } else {
        lockedLevels_[level] = false;
    }
    Record& entry = record(Op::UnlockTexture, result, static_cast<const void*>(this));
    entry.offset = level;
    return result;
}

}  // namespace softgfx::detail
