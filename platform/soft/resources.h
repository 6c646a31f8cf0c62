// The objects the software device creates. Each keeps its device alive, as on
// Direct3D 9, and its memory is plain host memory that the rasterizer reads.
#pragma once

#include "platform/soft/ref_counted.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace softgfx::detail {

// Tells the device that an object it may have bound is going away.
void forgetBinding(IDirect3DDevice9* device, const void* object);

// A device-owned object: holds a reference on its device for its lifetime and
// is unbound from it when it goes.
template <class Interface>
class DeviceChild : public RefCounted<Interface> {
public:
    DeviceChild(IDirect3DDevice9* device, bool blocksReset) : RefCounted<Interface>(blocksReset), device_(device) {
        device_->AddRef();
    }

protected:
    ~DeviceChild() override {
        record(Op::ReleaseResource, D3D_OK, static_cast<const void*>(this));
        forgetBinding(device_, static_cast<const void*>(this));
        device_->Release();
    }

    HRESULT shareDevice(IDirect3DDevice9** device) {
        if (!device) return D3DERR_INVALIDCALL;
        device_->AddRef();
        *device = device_;
        return D3D_OK;
    }

private:
    IDirect3DDevice9* device_;
};

// Lock and Unlock of a byte buffer, shared by vertex and index buffers.
class ByteStore {
public:
    explicit ByteStore(UINT length) : bytes_(length) {}
    HRESULT lock(UINT offset, UINT size, void** data);
    HRESULT unlock();
    const std::vector<std::byte>& bytes() const { return bytes_; }

private:
    std::vector<std::byte> bytes_;
    bool locked_ = false;
};

class SoftVertexBuffer final : public DeviceChild<IDirect3DVertexBuffer9> {
public:
    SoftVertexBuffer(IDirect3DDevice9* device, UINT length, DWORD usage, D3DPOOL pool);
    HRESULT GetDevice(IDirect3DDevice9** device) override { return shareDevice(device); }
    HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags) override;
    HRESULT Unlock() override;
    HRESULT GetDesc(D3DVERTEXBUFFER_DESC* desc) override;
    const std::vector<std::byte>& bytes() const { return store_.bytes(); }

private:
    ByteStore store_;
    DWORD usage_;
    D3DPOOL pool_;
};

class SoftIndexBuffer final : public DeviceChild<IDirect3DIndexBuffer9> {
public:
    SoftIndexBuffer(IDirect3DDevice9* device, UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool);
    HRESULT GetDevice(IDirect3DDevice9** device) override { return shareDevice(device); }
    HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags) override;
    HRESULT Unlock() override;
    HRESULT GetDesc(D3DINDEXBUFFER_DESC* desc) override;
    const std::vector<std::byte>& bytes() const { return store_.bytes(); }
    D3DFORMAT format() const { return format_; }
    UINT indexCount() const;
    std::uint32_t index(UINT position) const;

private:
    ByteStore store_;
    DWORD usage_;
    D3DFORMAT format_;
    D3DPOOL pool_;
};

// One mipmap level: A8R8G8B8 texels as 0xAARRGGBB words, rows top to bottom.
struct TextureLevel {
    UINT width;
    UINT height;
    std::vector<std::uint32_t> texels;
};

class SoftTexture final : public DeviceChild<IDirect3DTexture9> {
public:
    SoftTexture(IDirect3DDevice9* device, UINT width, UINT height, UINT levels, DWORD usage, D3DPOOL pool);
    HRESULT GetDevice(IDirect3DDevice9** device) override { return shareDevice(device); }
    DWORD GetLevelCount() override { return static_cast<DWORD>(levels_.size()); }
    HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override;
    HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
    HRESULT UnlockRect(UINT level) override;
    const std::vector<TextureLevel>& levels() const { return levels_; }

    // The length of the full chain down to 1 x 1.
    static UINT fullChainLength(UINT width, UINT height);

protected:
    ~SoftTexture() override;

private:
    std::vector<TextureLevel> levels_;
    std::vector<bool> lockedLevels_;
    DWORD usage_;
    D3DPOOL pool_;
};

// The vertex layout the rasterizer needs: where each attribute lies, -1 when absent.
struct VertexLayout {
    int positionOffset = -1;
    int texcoordOffset = -1;
    int colorOffset = -1;
    bool colorIsPacked = false;  // D3DCOLOR rather than four floats
};

class SoftVertexDeclaration final : public DeviceChild<IDirect3DVertexDeclaration9> {
public:
    SoftVertexDeclaration(IDirect3DDevice9* device, const VertexLayout& layout)
        : DeviceChild(device, false), layout_(layout) {}
    const VertexLayout& layout() const { return layout_; }

private:
    VertexLayout layout_;
};

// A validated program. The device cannot run it; it shades as the effect asks
// (texel times vertex colour) and keeps the program only to honour binding.
// Like an effect's device state on Direct3D 9, it must be gone before a reset.
class SoftShaderProgram final : public DeviceChild<IDirect3DShaderProgram> {
public:
    explicit SoftShaderProgram(IDirect3DDevice9* device) : DeviceChild(device, true) {}
};

}  // namespace softgfx::detail
