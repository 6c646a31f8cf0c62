// Loading effects: the shipped GUI effect and what its passes apply to the
// device, malformed files and programs that do not compile, and the release
// and re-creation around a device reset.
#include "loader_fixture.h"

#include <map>

namespace {

using d3dxtest::Loader;
using softgfx::Op;

const std::wstring shippedEffect = std::wstring(VELMORA_DATA_ROOT, VELMORA_DATA_ROOT + sizeof(VELMORA_DATA_ROOT) - 1) +
                                   L"/data/gui.fx";

// A small effect of one technique and pass, with the given pixel shader.
std::string effectText(const std::string& technique, const std::string& pixelShader) {
    return "texture texture_0\n"
           "technique " + technique + "\n"
           "  pass main\n"
           "    AlphaBlendEnable = true\n"
           "    vertex_shader <<END\n"
           "#version 330 core\n"
           "layout(location = 0) in vec3 position;\n"
           "void main() { gl_Position = vec4(position, 1.0); }\n"
           "END\n"
           "    pixel_shader <<END\n" + pixelShader + "END\n"
           "  end\n"
           "end\n";
}

const std::string goodPixelShader =
    "#version 330 core\nuniform sampler2D texture_0;\nout vec4 c;\n"
    "void main() { c = texture(texture_0, vec2(0.5)); }\n";

class Effect : public Loader {
protected:
    void TearDown() override {
        if (errors) errors->Release();
        if (effect) effect->Release();
        Loader::TearDown();
    }

    HRESULT load(const std::wstring& file) {
        return D3DXCreateEffectFromFileW(device, file.c_str(), nullptr, nullptr, 0, nullptr, &effect, &errors);
    }

    std::string errorText() const {
        return errors ? std::string(static_cast<const char*>(errors->GetBufferPointer())) : std::string();
    }

    ID3DXEffect* effect = nullptr;
    ID3DXBuffer* errors = nullptr;
};

TEST_F(Effect, GuiPassAppliesItsStatesProgramAndTexture) {
    ASSERT_EQ(load(shippedEffect), D3D_OK) << D3DXGetLastError();
    D3DXHANDLE technique = effect->GetTechniqueByName("GUI");
    ASSERT_NE(technique, nullptr);
    ASSERT_EQ(effect->SetTechnique(technique), D3D_OK);
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(device->CreateTexture(2, 2, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr), D3D_OK);
    softgfx::clearCalls();

    UINT passes = 0;
    ASSERT_EQ(effect->Begin(&passes, 0), D3D_OK);
    ASSERT_EQ(passes, 1u);
    ASSERT_EQ(effect->BeginPass(0), D3D_OK);
    ASSERT_EQ(effect->SetTexture("texture_0", texture), D3D_OK);
    ASSERT_EQ(effect->CommitChanges(), D3D_OK);
    effect->EndPass();
    effect->End();

    std::map<DWORD, DWORD> renderStates;
    for (const auto& call : softgfx::callsOf(Op::SetRenderState)) renderStates[call.state] = call.value;
    EXPECT_EQ(renderStates, (std::map<DWORD, DWORD>{{D3DRS_ALPHABLENDENABLE, TRUE},
                                                    {D3DRS_SRCBLEND, D3DBLEND_SRCALPHA},
                                                    {D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA},
                                                    {D3DRS_ZENABLE, FALSE},
                                                    {D3DRS_ZWRITEENABLE, FALSE},
                                                    {D3DRS_CULLMODE, D3DCULL_NONE}}));
    std::map<DWORD, DWORD> samplerStates;
    for (const auto& call : softgfx::callsOf(Op::SetSamplerState)) {
        EXPECT_EQ(call.stage, 0u);
        samplerStates[call.state] = call.value;
    }
    EXPECT_EQ(samplerStates, (std::map<DWORD, DWORD>{{D3DSAMP_MINFILTER, D3DTEXF_LINEAR},
                                                     {D3DSAMP_MAGFILTER, D3DTEXF_LINEAR},
                                                     {D3DSAMP_MIPFILTER, D3DTEXF_LINEAR},
                                                     {D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP},
                                                     {D3DSAMP_ADDRESSV, D3DTADDRESS_CLAMP}}));
    const auto programs = softgfx::callsOf(Op::SetShaderProgram);
    ASSERT_EQ(programs.size(), 2u);
    EXPECT_NE(programs[0].program, nullptr);  // BeginPass binds the pass's program
    EXPECT_EQ(programs[1].program, nullptr);  // EndPass unbinds it
    const auto textures = softgfx::callsOf(Op::SetTexture);
    ASSERT_FALSE(textures.empty());
    EXPECT_EQ(textures.back().texture, texture);  // committed to stage 0
    EXPECT_EQ(textures.back().stage, 0u);

    effect->SetTexture("texture_0", nullptr);
    texture->Release();
}

struct Malformed {
    const char* name;
    std::string text;
    const char* reason;  // part of the reported reason, with the line number
};

class MalformedEffects : public Effect, public ::testing::WithParamInterface<Malformed> {};

TEST_P(MalformedEffects, FailWithTheLineAndReason) {
    writeFile("broken.fx", GetParam().text);
    EXPECT_EQ(load(L"broken.fx"), D3DXERR_INVALIDDATA);
    EXPECT_EQ(effect, nullptr);
    EXPECT_NE(errorText().find(GetParam().reason), std::string::npos) << errorText();
    EXPECT_EQ(errorText(), D3DXGetLastError());
}

INSTANTIATE_TEST_SUITE_P(
    Effect, MalformedEffects,
    ::testing::Values(
        Malformed{"Empty", "# nothing but a comment\n", "broken.fx:1: the file has no technique"},
        Malformed{"UnknownState", "technique GUI\n pass p\n  Blending = on\n", "broken.fx:3: unknown state Blending"},
        Malformed{"UnknownValue", "technique GUI\n pass p\n  CullMode = Sideways\n",
                  "broken.fx:3: unknown value Sideways for CullMode"},
        Malformed{"PassWithoutEnd", "technique GUI\n pass p\n  ZEnable = false\n", "broken.fx:2: pass p has no \"end\""},
        Malformed{"SamplerOfUndeclaredTexture", "technique GUI\n pass p\n  sampler texture_1\n  end\n",
                  "broken.fx:3: sampler of undeclared texture texture_1"},
        Malformed{"UnterminatedShader", "technique GUI\n pass p\n  vertex_shader <<GLSL\nvoid main() {}\n",
                  "broken.fx:3: shader source has no closing GLSL"},
        Malformed{"PassWithoutPixelShader",
                  "technique GUI\n pass p\n  vertex_shader <<GLSL\nvoid main() {}\nGLSL\n end\nend\n",
                  "broken.fx:6: pass p has no pixel_shader"},
        Malformed{"StrayWord", "texture texture_0\nshader\n", "broken.fx:2: expected"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(Effect, MissingTechniqueIsNamed) {
    writeFile("other.fx", effectText("Other", goodPixelShader));
    ASSERT_EQ(load(L"other.fx"), D3D_OK) << D3DXGetLastError();
    EXPECT_EQ(effect->GetTechniqueByName("GUI"), nullptr);
    EXPECT_NE(std::string(D3DXGetLastError()).find("no technique named GUI"), std::string::npos);
    EXPECT_EQ(effect->SetTechnique("GUI"), D3DERR_INVALIDCALL);
}

TEST_F(Effect, ProgramThatDoesNotCompileFailsWithTheCompilerLog) {
    writeFile("typo.fx", effectText("GUI", "#version 330 core\nout vec4 c;\nvoid main() { c = vec4(1.0) }\n"));
    EXPECT_TRUE(FAILED(load(L"typo.fx")));
    EXPECT_EQ(effect, nullptr);
    const std::string reason = errorText();
    EXPECT_NE(reason.find("technique GUI, pass main"), std::string::npos) << reason;
    EXPECT_NE(reason.find("fragment shader"), std::string::npos) << reason;
    EXPECT_NE(reason.find("ERROR"), std::string::npos) << reason;  // glslang's own message
    EXPECT_EQ(softgfx::liveDefaultPoolResources(), 0u);
}

TEST_F(Effect, MissingFileFails) {
    EXPECT_TRUE(FAILED(load(L"data/none.fx")));
    EXPECT_EQ(effect, nullptr);
    EXPECT_NE(errorText().find("cannot read"), std::string::npos) << errorText();
}

TEST_F(Effect, LostDeviceDropsTheProgramAndResetBringsItBack) {
    writeFile("data/gui.fx", effectText("GUI", goodPixelShader));
    ASSERT_EQ(load(L"data\\gui.fx"), D3D_OK) << D3DXGetLastError();
    softgfx::loseDevice();
    D3DPRESENT_PARAMETERS parameters{};
    parameters.Windowed = TRUE;
    EXPECT_EQ(device->Reset(&parameters), D3DERR_INVALIDCALL) << "the program still holds device state";

    effect->OnLostDevice();
    UINT passes = 0;
    EXPECT_TRUE(FAILED(effect->Begin(&passes, 0))) << "nothing to draw with until the reset";
    ASSERT_EQ(device->Reset(&parameters), D3D_OK);
    softgfx::clearCalls();
    ASSERT_EQ(effect->OnResetDevice(), D3D_OK);
    EXPECT_EQ(softgfx::countOf(Op::CreateShaderProgram), 1u);
    ASSERT_EQ(effect->Begin(&passes, 0), D3D_OK);
    EXPECT_EQ(effect->BeginPass(0), D3D_OK);
    effect->End();
}

}  // namespace
