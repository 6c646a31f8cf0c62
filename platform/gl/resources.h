// The device objects of the OpenGL device. Each holds a reference to the
// device that made it, as on Direct3D 9, and tells the device when it goes so
// that the device never draws with a freed object.
#pragma once

#include "platform/d3d9.h"
#include "platform/gl/gl_api.h"
#include "platform/gl/ref_counted.h"

#include <cstddef>
#include <vector>

namespace glgfx {

class GlDevice;

// What resources need of their device.
class DeviceLink {
public:
    explicit DeviceLink(GlDevice* device);
    ~DeviceLink();
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;
    GlDevice* device() const { return device_; }
    HRESULT getDevice(IDirect3DDevice9** device) const;

private:
    GlDevice* device_;
};

// A GL buffer written through a CPU copy: Lock hands out the copy, Unlock uploads what was locked.
class BufferStorage {
public:
    BufferStorage(GLenum target, UINT length);
    ~BufferStorage();
    BufferStorage(const BufferStorage&) = delete;
    BufferStorage& operator=(const BufferStorage&) = delete;

    HRESULT lock(UINT offset, UINT size, void** data, DWORD flags);
    HRESULT unlock();
    GLuint name() const { return name_; }
    UINT length() const { return static_cast<UINT>(bytes_.size()); }

private:
    GLenum target_;
    GLuint name_ = 0;
    std::vector<std::byte> bytes_;
    bool locked_ = false;
    UINT lockedOffset_ = 0;
    UINT lockedSize_ = 0;
    bool discard_ = false;
};

class GlVertexBuffer final : public RefCounted<IDirect3DVertexBuffer9> {
public:
    GlVertexBuffer(GlDevice* device, UINT length, DWORD usage, D3DPOOL pool);
    ~GlVertexBuffer() override;
    HRESULT GetDevice(IDirect3DDevice9** device) override { return link_.getDevice(device); }
    HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags) override { return storage_.lock(offset, size, data, flags); }
    HRESULT Unlock() override { return storage_.unlock(); }
    HRESULT GetDesc(D3DVERTEXBUFFER_DESC* desc) override;
    const BufferStorage& storage() const { return storage_; }

private:
    DeviceLink link_;
    BufferStorage storage_;
    DWORD usage_;
    D3DPOOL pool_;
};

class GlIndexBuffer final : public RefCounted<IDirect3DIndexBuffer9> {
public:
    GlIndexBuffer(GlDevice* device, UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool);
    ~GlIndexBuffer() override;
    HRESULT GetDevice(IDirect3DDevice9** device) override { return link_.getDevice(device); }
    HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags) override { return storage_.lock(offset, size, data, flags); }
    HRESULT Unlock() override { return storage_.unlock(); }
    HRESULT GetDesc(D3DINDEXBUFFER_DESC* desc) override;
    const BufferStorage& storage() const { return storage_; }
    UINT indexSize() const { return format_ == D3DFMT_INDEX32 ? 4 : 2; }
    GLenum indexType() const { return format_ == D3DFMT_INDEX32 ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT; }

private:
    DeviceLink link_;
    BufferStorage storage_;
    DWORD usage_;
    D3DFORMAT format_;
    D3DPOOL pool_;
};

class GlTexture final : public RefCounted<IDirect3DTexture9> {
public:
    GlTexture(GlDevice* device, UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool);
    ~GlTexture() override;
    HRESULT GetDevice(IDirect3DDevice9** device) override { return link_.getDevice(device); }
    DWORD GetLevelCount() override { return levels_; }
    HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override;
    HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
    HRESULT UnlockRect(UINT level) override;
    GLuint name() const { return name_; }

    // levels 0 means the full chain down to 1 x 1.
    static UINT levelCount(UINT width, UINT height, UINT levels);

private:
    void allocateLevels(bool immutableStorage);
    UINT levelWidth(UINT level) const;
    UINT levelHeight(UINT level) const;

    DeviceLink link_;
    GLuint name_ = 0;
    UINT width_, height_, levels_;
    DWORD usage_;
    D3DFORMAT format_;
    D3DPOOL pool_;
    std::vector<std::byte> lockedLevelBytes_;
    UINT lockedLevel_ = 0;
    bool locked_ = false;
};

// One vertex attribute as GL takes it.
struct VertexAttribute {
    GLuint location;
    GLint components;
    GLenum type;
    GLboolean normalized;
    UINT offset;
};

class GlVertexDeclaration final : public RefCounted<IDirect3DVertexDeclaration9> {
public:
    GlVertexDeclaration(GlDevice* device, std::vector<VertexAttribute> attributes);
    ~GlVertexDeclaration() override;
    const std::vector<VertexAttribute>& attributes() const { return attributes_; }

private:
    DeviceLink link_;
    std::vector<VertexAttribute> attributes_;
};

class GlShaderProgram final : public RefCounted<IDirect3DShaderProgram> {
public:
    GlShaderProgram(GlDevice* device, GLuint program);
    ~GlShaderProgram() override;
    GLuint name() const { return name_; }

private:
    DeviceLink link_;
    GLuint name_;
};

}  // namespace glgfx
