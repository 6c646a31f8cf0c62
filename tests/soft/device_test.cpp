// What callers of the device rely on: the recorded calls, the failures that
// can be injected, and the reset rules of Direct3D 9.
#include "soft_fixture.h"

#include "platform/headless.h"

namespace {

using softgfx::Fault;
using softgfx::Op;
using softtest::Quad;

class Device : public softtest::SoftDevice {};

TEST_F(Device, BackBufferIsTheClientAreaOfTheWindow) {
    EXPECT_EQ(softgfx::backBuffer().width, 818);
    EXPECT_EQ(softgfx::backBuffer().height, 318);
}

TEST_F(Device, DrawIsRecordedWithItsArgumentsAndBoundState) {
    IDirect3DTexture9* texture = makeTexture(4, 4, 1, {0xFFFFFFFF});
    bindQuads({{-1, -1, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1}, {0, 0, 1, 1, 0, 0, 1, 1, 1, 1, 1, 1}});
    softgfx::clearCalls();

    ASSERT_EQ(device->BeginScene(), D3D_OK);
    device->SetTexture(0, texture);
    EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 8, 6, 2), D3D_OK);
    device->EndScene();

    const auto draws = softgfx::callsOf(Op::DrawIndexedPrimitive);
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].numVertices, 8u);
    EXPECT_EQ(draws[0].startIndex, 6u);
    EXPECT_EQ(draws[0].primitiveCount, 2u);
    EXPECT_EQ(draws[0].texture, texture);
    EXPECT_EQ(draws[0].indexFormat, D3DFMT_INDEX16);
    EXPECT_EQ(draws[0].vertexBuffer, vertices);
    const auto setTextures = softgfx::callsOf(Op::SetTexture);
    ASSERT_EQ(setTextures.size(), 1u);
    EXPECT_EQ(setTextures[0].texture, texture);
}

TEST_F(Device, BufferCreationIsRecordedWithSizeUsagePoolAndFormat) {
    softgfx::clearCalls();
    bindQuads({{-1, -1, 1, 1, 0, 0, 1, 1, 1, 1, 1, 1}});
    const auto vertexBuffers = softgfx::callsOf(Op::CreateVertexBuffer);
    const auto indexBuffers = softgfx::callsOf(Op::CreateIndexBuffer);
    ASSERT_EQ(vertexBuffers.size(), 1u);
    ASSERT_EQ(indexBuffers.size(), 1u);
    EXPECT_EQ(vertexBuffers[0].length, 4u * 36u);
    EXPECT_EQ(vertexBuffers[0].usage, D3DUSAGE_DYNAMIC | D3DUSAGE_WRITEONLY);
    EXPECT_EQ(vertexBuffers[0].pool, D3DPOOL_DEFAULT);
    EXPECT_EQ(indexBuffers[0].length, 12u);
    EXPECT_EQ(indexBuffers[0].indexFormat, D3DFMT_INDEX16);
    const auto locks = softgfx::callsOf(Op::LockVertexBuffer);
    ASSERT_EQ(locks.size(), 1u);
    EXPECT_EQ(locks[0].flags, static_cast<DWORD>(D3DLOCK_DISCARD));
    EXPECT_EQ(softgfx::contents(vertices).size(), 4u * 36u);
}

TEST_F(Device, DrawsThatCannotBeCarriedOutAreRefused) {
    bindQuads({{-1, -1, 1, 1, 0, 0, 1, 1, 1, 1, 1, 1}});
    // Outside a scene.
    EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 4, 0, 2), D3DERR_INVALIDCALL);
    ASSERT_EQ(device->BeginScene(), D3D_OK);
    // Past the end of the six indices.
    EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 4, 3, 2), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 4, 0, 0x40000000), D3DERR_INVALIDCALL);
    // Without a declaration.
    device->SetVertexDeclaration(nullptr);
    EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 4, 0, 2), D3DERR_INVALIDCALL);
    // A released index buffer is no longer bound.
    device->SetVertexDeclaration(declaration);
    indices->Release();
    indices = nullptr;
    EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 4, 0, 2), D3DERR_INVALIDCALL);
    device->EndScene();
}

TEST_F(Device, VerticesPastTheBufferAreSkippedNotRead) {
    bindQuads({{-1, -1, 1, 1, 0, 0, 1, 1, 1, 1, 1, 1}});
    ASSERT_EQ(device->BeginScene(), D3D_OK);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
    EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 1000, 0, 4, 0, 2), D3D_OK);
    device->EndScene();
    EXPECT_EQ(softgfx::backBuffer().pixel(409, 159), 0xFF000000u);
}

// Each creation fails for exactly as many calls as asked, with no object left.
struct CreationFault {
    const char* name;
    Fault fault;
    Op op;
};

class CreationFaults : public softtest::SoftDevice, public ::testing::WithParamInterface<CreationFault> {
protected:
    HRESULT create(Op op) {
        IDirect3DVertexBuffer9* vertexBuffer = nullptr;
        IDirect3DIndexBuffer9* indexBuffer = nullptr;
        IDirect3DVertexDeclaration9* created = nullptr;
        IDirect3DTexture9* texture = nullptr;
        const D3DVERTEXELEMENT9 elements[] = {
            {0, 0, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0}, D3DDECL_END()};
        HRESULT result = E_FAIL;
        IUnknown* object = nullptr;
        switch (op) {
            case Op::CreateVertexBuffer:
                result = device->CreateVertexBuffer(64, D3DUSAGE_WRITEONLY, 0, D3DPOOL_DEFAULT, &vertexBuffer, nullptr);
                object = vertexBuffer;
                break;
            case Op::CreateIndexBuffer:
                result = device->CreateIndexBuffer(64, D3DUSAGE_WRITEONLY, D3DFMT_INDEX32, D3DPOOL_DEFAULT, &indexBuffer,
                                                   nullptr);
                object = indexBuffer;
                break;
            case Op::CreateVertexDeclaration:
                result = device->CreateVertexDeclaration(elements, &created);
                object = created;
                break;
            default:
                result = device->CreateTexture(8, 8, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr);
                object = texture;
                break;
        }
        EXPECT_EQ(FAILED(result), object == nullptr);
        if (object) object->Release();
        return result;
    }
};

TEST_P(CreationFaults, FailTheNextCallsThenRecover) {
    softgfx::failNext(GetParam().fault, 2);
    EXPECT_TRUE(FAILED(create(GetParam().op)));
    EXPECT_TRUE(FAILED(create(GetParam().op)));
    EXPECT_EQ(create(GetParam().op), D3D_OK);
    const auto records = softgfx::callsOf(GetParam().op);
    ASSERT_GE(records.size(), 3u);
    EXPECT_TRUE(FAILED(records[records.size() - 3].result));
}

INSTANTIATE_TEST_SUITE_P(
    Device, CreationFaults,
    ::testing::Values(CreationFault{"VertexBuffer", Fault::CreateVertexBuffer, Op::CreateVertexBuffer},
                      CreationFault{"IndexBuffer", Fault::CreateIndexBuffer, Op::CreateIndexBuffer},
                      CreationFault{"Declaration", Fault::CreateVertexDeclaration, Op::CreateVertexDeclaration},
                      CreationFault{"Texture", Fault::CreateTexture, Op::CreateTexture}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(Device, FailedLockHandsOutNoPointer) {
    bindQuads({{-1, -1, 1, 1, 0, 0, 1, 1, 1, 1, 1, 1}});
    softgfx::failNext(Fault::Lock);
    void* data = reinterpret_cast<void*>(1);
    EXPECT_TRUE(FAILED(vertices->Lock(0, 0, &data, D3DLOCK_DISCARD)));
    EXPECT_EQ(data, nullptr);
    // The failed lock left the buffer unlocked: the next one succeeds.
    EXPECT_EQ(indices->Lock(0, 0, &data, 0), D3D_OK);
    EXPECT_NE(data, nullptr);
    indices->Unlock();
}

TEST_F(Device, CreationOfTheDirect3DObjectAndDeviceCanFail) {
    softgfx::failNext(Fault::CreateDirect3D);
    EXPECT_EQ(Direct3DCreate9(D3D_SDK_VERSION), nullptr);

    D3DCAPS9 caps{};
    softgfx::failNext(Fault::GetDeviceCaps);
    EXPECT_TRUE(FAILED(direct3D->GetDeviceCaps(0, D3DDEVTYPE_HAL, &caps)));
    EXPECT_EQ(direct3D->GetDeviceCaps(0, D3DDEVTYPE_HAL, &caps), D3D_OK);

    softgfx::failNext(Fault::CheckMultiSampleNone);
    EXPECT_TRUE(FAILED(direct3D->CheckDeviceMultiSampleType(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, TRUE,
                                                            D3DMULTISAMPLE_NONE, nullptr)));
    EXPECT_EQ(direct3D->CheckDeviceMultiSampleType(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, TRUE,
                                                   D3DMULTISAMPLE_2_SAMPLES, nullptr),
              D3D_OK);

    softgfx::failNext(Fault::CreateDevice);
    D3DPRESENT_PARAMETERS parameters = windowParameters();
    IDirect3DDevice9* second = reinterpret_cast<IDirect3DDevice9*>(1);
    EXPECT_TRUE(FAILED(direct3D->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, 0, &parameters, &second)));
    EXPECT_EQ(second, nullptr);
}

TEST_F(Device, FailedBeginSceneOpensNoScene) {
    softgfx::failNext(Fault::BeginScene);
    EXPECT_TRUE(FAILED(device->BeginScene()));
    EXPECT_EQ(device->EndScene(), D3DERR_INVALIDCALL);
}

TEST_F(Device, LostDeviceIsResetOnceTheTestSaysNotReset) {
    softgfx::setLostTests(2);
    softgfx::failNext(Fault::Present);
    EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3DERR_DEVICELOST);
    // Lost from now on, not only for the one injected frame.
    EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3DERR_DEVICELOST);

    D3DPRESENT_PARAMETERS parameters = windowParameters();
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICELOST);
    EXPECT_EQ(device->Reset(&parameters), D3DERR_DEVICELOST);  // too early
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICELOST);
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);

    softgfx::failNext(Fault::Reset, 2);
    EXPECT_EQ(device->Reset(&parameters), D3DERR_DEVICELOST);
    EXPECT_EQ(device->Reset(&parameters), D3DERR_DEVICELOST);
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
    EXPECT_EQ(device->Reset(&parameters), D3D_OK);
    EXPECT_EQ(device->TestCooperativeLevel(), D3D_OK);
    EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    EXPECT_EQ(softgfx::countOf(Op::Reset), 4u);
}

TEST_F(Device, ResetIsRefusedWhileDefaultPoolResourcesLive) {
    bindQuads({{-1, -1, 1, 1, 0, 0, 1, 1, 1, 1, 1, 1}});
    makeTexture(4, 4, 0, {});  // managed: survives a reset
    IDirect3DShaderProgram* program = nullptr;
    ASSERT_EQ(device->CreateShaderProgram("#version 330 core\nvoid main() { gl_Position = vec4(0.0); }\n",
                                          "#version 330 core\nout vec4 c;\nvoid main() { c = vec4(1.0); }\n",
                                          &program, nullptr, 0),
              D3D_OK);
    softgfx::loseDevice();
    D3DPRESENT_PARAMETERS parameters = windowParameters();
    EXPECT_EQ(softgfx::liveDefaultPoolResources(), 3u);

    EXPECT_EQ(device->Reset(&parameters), D3DERR_INVALIDCALL);
    vertices->Release();
    vertices = nullptr;
    indices->Release();
    indices = nullptr;
    EXPECT_EQ(device->Reset(&parameters), D3DERR_INVALIDCALL);  // the program is device state too
    program->Release();
    EXPECT_EQ(softgfx::liveDefaultPoolResources(), 0u);
    EXPECT_EQ(device->Reset(&parameters), D3D_OK);
    EXPECT_FALSE(softgfx::deviceLost());
}

TEST_F(Device, PresentCostsOneFrameOfVirtualTime) {
    headless::setFrameCost(7);
    const DWORD before = headless::now();
    device->Present(nullptr, nullptr, nullptr, nullptr);
    softgfx::failNext(Fault::Present);
    device->Present(nullptr, nullptr, nullptr, nullptr);  // a failed present took its time as well
    EXPECT_EQ(headless::now() - before, 14u);
    headless::setFrameCost(1);
}

TEST_F(Device, WithoutRasterizingCallsAreRecordedButNoPixelChanges) {
    softgfx::setRasterizing(false);
    bindQuads({{-1, -1, 1, 1, 0, 0, 1, 1, 1, 1, 1, 1}});
    ASSERT_EQ(device->BeginScene(), D3D_OK);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFFFFFFFF, 1.0f, 0);
    device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 4, 0, 2);
    device->EndScene();
    device->Present(nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(softgfx::countOf(Op::DrawIndexedPrimitive), 1u);
    EXPECT_EQ(softgfx::countOf(Op::Clear), 1u);
    EXPECT_EQ(softgfx::backBuffer().pixel(100, 100), 0xFF000000u);
}

TEST_F(Device, LogPerFrameKeepsOnlyTheCurrentScene) {
    softgfx::setLogPerFrame(true);
    for (int frame = 0; frame < 3; ++frame) {
        device->BeginScene();
        device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0);
        device->EndScene();
        device->Present(nullptr, nullptr, nullptr, nullptr);
    }
    EXPECT_EQ(softgfx::countOf(Op::Clear), 1u);
    EXPECT_EQ(softgfx::presentCount(), 3u);
}

}  // namespace
