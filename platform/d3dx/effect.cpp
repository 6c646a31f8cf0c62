#include "platform/d3dx/effect.h"

#include "platform/d3dx/last_error.h"

#include <cstring>

namespace d3dx {

Effect::Effect(IDirect3DDevice9* device, EffectDescription description, std::string fileName)
    : device_(device), description_(std::move(description)), fileName_(std::move(fileName)),
      textures_(description_.textures.size(), nullptr) {
    device_->AddRef();
}

Effect::~Effect() {
    releasePrograms();
    for (IDirect3DBaseTexture9* texture : textures_) {
        if (texture) texture->Release();
    }
    device_->Release();
}

ULONG Effect::Release() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT Effect::createPrograms() {
    releasePrograms();
    for (const TechniqueDescription& technique : description_.techniques) {
        programs_.emplace_back();
        for (const PassDescription& pass : technique.passes) {
            char log[2048] = "";
            IDirect3DShaderProgram* program = nullptr;
            const HRESULT result = device_->CreateShaderProgram(pass.vertexShader.c_str(), pass.pixelShader.c_str(),
                                                                &program, log, sizeof log);
            if (FAILED(result)) {
                releasePrograms();
                return fail(result, fileName_ + ": technique " + technique.name + ", pass " + pass.name +
                                        ": the program does not compile: " + log);
            }
            programs_.back().push_back(program);
        }
    }
    return D3D_OK;
}

void Effect::releasePrograms() {
    for (auto& technique : programs_) {
        for (IDirect3DShaderProgram* program : technique) program->Release();
    }
    programs_.clear();
}

const TechniqueDescription* Effect::techniqueOf(D3DXHANDLE handle) const {
    if (!handle) return nullptr;
    for (const TechniqueDescription& technique : description_.techniques) {
        if (handle == technique.name.c_str() || technique.name == handle) return &technique;
    }
    return nullptr;
}

int Effect::parameterOf(D3DXHANDLE handle) const {
    if (!handle) return -1;
    for (std::size_t i = 0; i < description_.textures.size(); ++i) {
        if (handle == description_.textures[i].c_str() || description_.textures[i] == handle) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

D3DXHANDLE Effect::GetTechniqueByName(const char* name) {
    const TechniqueDescription* technique = techniqueOf(name);
    if (!technique) {
        fail(D3DERR_INVALIDCALL, fileName_ + ": no technique named " + (name ? name : "(null)"));
        return nullptr;
    }
    return technique->name.c_str();
}

D3DXHANDLE Effect::GetParameterByName(D3DXHANDLE parent, const char* name) {
    const int parameter = parent ? -1 : parameterOf(name);
    if (parameter < 0) {
        fail(D3DERR_INVALIDCALL, fileName_ + ": no parameter named " + (name ? name : "(null)"));
        return nullptr;
    }
    return description_.textures[static_cast<std::size_t>(parameter)].c_str();
}

HRESULT Effect::SetTechnique(D3DXHANDLE handle) {
    const TechniqueDescription* technique = techniqueOf(handle);
    if (!technique || begun_) return fail(D3DERR_INVALIDCALL, fileName_ + ": cannot set that technique");
    technique_ = static_cast<std::size_t>(technique - description_.techniques.data());
    return D3D_OK;
}

HRESULT Effect::Begin(UINT* passes, DWORD /*flags*/) {
    if (!passes || begun_) return fail(D3DERR_INVALIDCALL, fileName_ + ": Begin without a pass count or twice");
    if (programs_.empty()) return fail(D3DERR_INVALIDCALL, fileName_ + ": the effect has lost its device objects");
    *passes = static_cast<UINT>(description_.techniques[technique_].passes.size());
    begun_ = true;
    return D3D_OK;
}

HRESULT Effect::BeginPass(UINT pass) {
    const TechniqueDescription& technique = description_.techniques[technique_];
    if (!begun_ || activePass_ >= 0 || pass >= technique.passes.size()) {
        return fail(D3DERR_INVALIDCALL, fileName_ + ": BeginPass outside Begin/End or of a pass that is not there");
    }
    const PassDescription& description = technique.passes[pass];
    for (const StateSetting& setting : description.renderStates) {
        device_->SetRenderState(static_cast<D3DRENDERSTATETYPE>(setting.state), setting.value);
    }
    for (const SamplerBlock& sampler : description.samplers) {
        for (const StateSetting& setting : sampler.states) {
            device_->SetSamplerState(sampler.stage, static_cast<D3DSAMPLERSTATETYPE>(setting.state), setting.value);
        }
    }
    device_->SetShaderProgram(programs_[technique_][pass]);
    bindTextures();
    activePass_ = static_cast<int>(pass);
    return D3D_OK;
}

void Effect::bindTextures() {
    for (std::size_t stage = 0; stage < textures_.size(); ++stage) {
        device_->SetTexture(static_cast<DWORD>(stage), textures_[stage]);
    }
}

HRESULT Effect::SetTexture(D3DXHANDLE parameter, IDirect3DBaseTexture9* texture) {
    const int index = parameterOf(parameter);
    if (index < 0) return fail(D3DERR_INVALIDCALL, fileName_ + ": no texture parameter " + (parameter ? parameter : "(null)"));
    IDirect3DBaseTexture9*& slot = textures_[static_cast<std::size_t>(index)];
    if (texture) texture->AddRef();
    if (slot) slot->Release();
    slot = texture;
    return D3D_OK;
}

HRESULT Effect::CommitChanges() {
    if (activePass_ < 0) return fail(D3DERR_INVALIDCALL, fileName_ + ": CommitChanges outside a pass");
    bindTextures();
    return D3D_OK;
}

HRESULT Effect::EndPass() {
    if (activePass_ < 0) return fail(D3DERR_INVALIDCALL, fileName_ + ": EndPass without BeginPass");
    device_->SetShaderProgram(nullptr);
    activePass_ = -1;
    return D3D_OK;
}

HRESULT Effect::End() {
    if (!begun_) return fail(D3DERR_INVALIDCALL, fileName_ + ": End without Begin");
    if (activePass_ >= 0) EndPass();
    begun_ = false;
    return D3D_OK;
}

HRESULT Effect::OnLostDevice() {
    if (activePass_ >= 0) EndPass();
    begun_ = false;
    releasePrograms();
    return D3D_OK;
}

HRESULT Effect::OnResetDevice() {
    if (!programs_.empty()) return D3D_OK;
    return createPrograms();
}

}  // namespace d3dx
