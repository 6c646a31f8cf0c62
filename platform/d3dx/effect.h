// ID3DXEffect over an effect description: applies a pass's states, program and
// textures to the device, and drops and re-creates its programs around a
// device reset.
#pragma once

#include "platform/d3dx/effect_file.h"
#include "platform/d3dx9.h"

#include <vector>

namespace d3dx {

class Effect final : public ID3DXEffect {
public:
    Effect(IDirect3DDevice9* device, EffectDescription description, std::string fileName);

    // Compiles every pass's program; false with the reason in D3DXGetLastError().
    HRESULT createPrograms();

    ULONG AddRef() override { return ++references_; }
    ULONG Release() override;

    D3DXHANDLE GetTechniqueByName(const char* name) override;
    D3DXHANDLE GetParameterByName(D3DXHANDLE parent, const char* name) override;
    HRESULT SetTechnique(D3DXHANDLE technique) override;
    HRESULT Begin(UINT* passes, DWORD flags) override;
    HRESULT BeginPass(UINT pass) override;
    HRESULT SetTexture(D3DXHANDLE parameter, IDirect3DBaseTexture9* texture) override;
    HRESULT CommitChanges() override;
    HRESULT EndPass() override;
    HRESULT End() override;
    HRESULT OnLostDevice() override;
    HRESULT OnResetDevice() override;

protected:
    ~Effect() override;

private:
    const TechniqueDescription* techniqueOf(D3DXHANDLE handle) const;
    int parameterOf(D3DXHANDLE handle) const;
    void releasePrograms();
    void bindTextures();

    IDirect3DDevice9* device_;
    EffectDescription description_;
    std::string fileName_;
    ULONG references_ = 1;

    // programs_[t][p]: the program of pass p of technique t; empty while the device is lost.
    std::vector<std::vector<IDirect3DShaderProgram*>> programs_;
    std::vector<IDirect3DBaseTexture9*> textures_;  // one per texture parameter, referenced
    std::size_t technique_ = 0;
    bool begun_ = false;
    int activePass_ = -1;
};

}  // namespace d3dx
