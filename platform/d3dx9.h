// Loaders on top of the graphics device, in the shape of D3DX 9: textures from
// image files and effects from the project's effect files. Both are written
// against IDirect3DDevice9 alone, so they serve every device backend.
#pragma once

#include "d3d9.h"

using D3DXHANDLE = const char*;

struct D3DXMACRO {
    const char* Name;
    const char* Definition;
};

struct ID3DXInclude;
struct ID3DXEffectPool;

struct ID3DXBuffer : IUnknown {
    virtual void* GetBufferPointer() = 0;
    virtual DWORD GetBufferSize() = 0;
};

// An effect: named techniques of passes, each pass with its render and sampler
// states and a program, and texture parameters set by name or handle.
struct ID3DXEffect : IUnknown {
    virtual D3DXHANDLE GetTechniqueByName(const char* name) = 0;
    virtual D3DXHANDLE GetParameterByName(D3DXHANDLE parent, const char* name) = 0;
    virtual HRESULT SetTechnique(D3DXHANDLE technique) = 0;
    virtual HRESULT Begin(UINT* passes, DWORD flags) = 0;
    virtual HRESULT BeginPass(UINT pass) = 0;
    // parameter is a handle from GetParameterByName or the parameter's name.
    virtual HRESULT SetTexture(D3DXHANDLE parameter, IDirect3DBaseTexture9* texture) = 0;
    virtual HRESULT CommitChanges() = 0;
    virtual HRESULT EndPass() = 0;
    virtual HRESULT End() = 0;
    // Drops the device objects the effect holds, so that the device can be reset.
    virtual HRESULT OnLostDevice() = 0;
    // Re-creates them after the reset.
    virtual HRESULT OnResetDevice() = 0;
};

// Loads a PNG into a managed-pool A8R8G8B8 texture with a full mipmap chain.
// A missing, truncated or corrupt file fails with no texture.
HRESULT D3DXCreateTextureFromFileW(IDirect3DDevice9* device, LPCWSTR file, IDirect3DTexture9** texture);

// Loads and compiles an effect file. On failure the reason is in *errors (when
// errors is not null) and in D3DXGetLastError().
HRESULT D3DXCreateEffectFromFileW(IDirect3DDevice9* device, LPCWSTR file, const D3DXMACRO* defines,
                                  ID3DXInclude* include, DWORD flags, ID3DXEffectPool* pool,
                                  ID3DXEffect** effect, ID3DXBuffer** errors);

// The reason the last failed D3DX call of this thread gave, or "" after a success.
const char* D3DXGetLastError();
