#include "display/window.h"
#include "gui/gui_system.h"
#include "tests/gui/gui_world.h"

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

using softgfx::Fault;
using softgfx::Op;

namespace {

class Renderer : public GuiWorld {};

std::vector<float> drawnXs(const std::vector<DrawnQuad>& quads) {
    std::vector<float> xs;
    for (const DrawnQuad& quad : quads) xs.push_back(quad.x);
    return xs;
}

template <typename Index>
std::vector<std::uint32_t> indicesOf(const softgfx::Record& creation) {
    auto* buffer = const_cast<IDirect3DIndexBuffer9*>(static_cast<const IDirect3DIndexBuffer9*>(creation.object));
    const auto bytes = softgfx::contents(buffer);
    std::vector<Index> raw(bytes.size() / sizeof(Index));
    std::memcpy(raw.data(), bytes.data(), raw.size() * sizeof(Index));
    return {raw.begin(), raw.end()};
}

}  // namespace

struct IndexWidthCase {
    int quads;
    D3DFORMAT format;
    UINT bytesPerIndex;
};

class IndexWidth : public Renderer, public ::testing::WithParamInterface<IndexWidthCase> {};

TEST_P(IndexWidth, BuffersAreSizedToTheFrameAndIndexTheQuadsAsTwoTriangles) {
    const IndexWidthCase c = GetParam();
    IDirect3DTexture9* texture = makeTexture();
    for (int k = 0; k < c.quads; ++k) submitMarked(0.0f, 1.0f, texture);
    drawFrame();

    const auto vertexBuffers = softgfx::callsOf(Op::CreateVertexBuffer);
    ASSERT_EQ(vertexBuffers.size(), 1u);
    EXPECT_EQ(vertexBuffers[0].length, 4u * c.quads * 36u);
    EXPECT_EQ(vertexBuffers[0].usage, D3DUSAGE_DYNAMIC | D3DUSAGE_WRITEONLY);
    EXPECT_EQ(vertexBuffers[0].pool, D3DPOOL_DEFAULT);

    const auto indexBuffers = softgfx::callsOf(Op::CreateIndexBuffer);
    ASSERT_EQ(indexBuffers.size(), 1u);
    EXPECT_EQ(indexBuffers[0].indexFormat, c.format);
    EXPECT_EQ(indexBuffers[0].length, 6u * c.quads * c.bytesPerIndex);
    const auto indices = c.bytesPerIndex == 2 ? indicesOf<std::uint16_t>(indexBuffers[0])
                                              : indicesOf<std::uint32_t>(indexBuffers[0]);
    ASSERT_EQ(indices.size(), 6u * c.quads);
    const std::uint32_t last = 4u * (c.quads - 1);
    EXPECT_EQ(std::vector(indices.begin(), indices.begin() + 6), (std::vector<std::uint32_t>{0, 1, 2, 0, 2, 3}));
    EXPECT_EQ(std::vector(indices.end() - 6, indices.end()),
              (std::vector<std::uint32_t>{last, last + 1, last + 2, last, last + 2, last + 3}));

    const auto draws = drawCalls();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].primitiveType, D3DPT_TRIANGLELIST);
    EXPECT_EQ(draws[0].indexFormat, c.format);
    EXPECT_EQ(draws[0].numVertices, 4u * c.quads);
    EXPECT_EQ(draws[0].startIndex, 0u);
    EXPECT_EQ(draws[0].primitiveCount, 2u * c.quads);
    EXPECT_EQ(draws[0].texture, texture);
}

INSTANTIATE_TEST_SUITE_P(Widths, IndexWidth,
                         ::testing::Values(IndexWidthCase{1, D3DFMT_INDEX16, 2},
                                           IndexWidthCase{16383, D3DFMT_INDEX16, 2},
                                           IndexWidthCase{16384, D3DFMT_INDEX32, 4}));

TEST_F(Renderer, SmallerFrameReusesTheGrownBuffersAndPassesTheirVertexCount) {
    IDirect3DTexture9* texture = makeTexture();
    for (int k = 0; k < 100; ++k) submitMarked(0.0f, 1.0f, texture);
    drawFrame();
    for (int k = 0; k < 10; ++k) submitMarked(0.0f, 1.0f, texture);
    drawFrame();

    EXPECT_EQ(softgfx::countOf(Op::CreateVertexBuffer), 0u);
    EXPECT_EQ(softgfx::countOf(Op::CreateIndexBuffer), 0u);
    const auto draws = drawCalls();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].numVertices, 400u);
    EXPECT_EQ(draws[0].primitiveCount, 20u);
    const auto locks = softgfx::callsOf(Op::LockVertexBuffer);
    ASSERT_EQ(locks.size(), 1u);
    EXPECT_EQ(locks[0].flags, D3DLOCK_DISCARD);
}

TEST_F(Renderer, FartherQuadsAreDrawnFirstAndEqualDepthsKeepSubmissionOrder) {
    IDirect3DTexture9* texture = makeTexture();
    submitMarked(0.5f, 0.5f, texture);
    submitMarked(1.0f, 1.0f, texture);
    submitMarked(0.2f, 0.2f, texture);
    drawFrame();
    const auto quads = drawnQuads();
    ASSERT_EQ(quads.size(), 3u);
    EXPECT_EQ(drawnXs(quads), (std::vector<float>{1.0f, 0.5f, 0.2f}));
    EXPECT_FLOAT_EQ(quads[0].depth, 1.0f);

    for (const int count : {3, 3000}) {
        // Two interleaved layers: the sort must not reorder quads within a layer.
        std::vector<float> front, back;
        for (int k = 0; k < count; ++k) {
            const float x = static_cast<float>(k) / static_cast<float>(count);
            const float depth = k % 2 ? 0.3f : 0.7f;
            submitMarked(x, depth, texture);
            (k % 2 ? front : back).push_back(x);
        }
        drawFrame();
        std::vector<float> expected = back;
        expected.insert(expected.end(), front.begin(), front.end());
        EXPECT_EQ(drawnXs(drawnQuads()), expected) << count << " quads";
    }
}

TEST_F(Renderer, QuadVerticesMapTheTextureRectangleUpright) {
    drawQuadDepth(makeTexture(), -0.5f, -0.25f, 0.5f, 0.75f, 0.1f, 0.2f, 0.3f, 0.4f, 0.9f, 0.8f, 0.7f, 0.6f, 0.4f);
    drawFrame();
    const auto quads = drawnQuads();
    ASSERT_EQ(quads.size(), 1u);
    const DrawnQuad& q = quads[0];
    EXPECT_FLOAT_EQ(q.x, -0.5f);
    EXPECT_FLOAT_EQ(q.y, -0.25f);
    EXPECT_FLOAT_EQ(q.w, 0.5f);
    EXPECT_FLOAT_EQ(q.h, 0.75f);
    EXPECT_FLOAT_EQ(q.texLeft, 0.1f);
    EXPECT_FLOAT_EQ(q.texTop, 0.2f);
    EXPECT_FLOAT_EQ(q.texRight, 0.3f);
    EXPECT_FLOAT_EQ(q.texBottom, 0.4f);
    EXPECT_FLOAT_EQ(q.r, 0.9f);
    EXPECT_FLOAT_EQ(q.a, 0.6f);
    EXPECT_FLOAT_EQ(q.depth, 0.4f);
}

struct ExpectedDraw {
    UINT startIndex;
    UINT primitiveCount;
    int texture;  // index into the case's textures, -1 for none
};

struct BatchCase {
    const char* name;
    std::vector<int> textures;  // per quad in drawing order, -1 for none
    std::vector<ExpectedDraw> draws;
};

class Batching : public Renderer, public ::testing::WithParamInterface<BatchCase> {};

TEST_P(Batching, EachRunOfOneTextureIsOneDrawCall) {
    const BatchCase& c = GetParam();
    IDirect3DTexture9* available[] = {makeTexture(), makeTexture()};
    auto textureOf = [&](int index) { return index < 0 ? nullptr : available[index]; };
    for (const int index : c.textures) submitMarked(0.0f, 1.0f, textureOf(index));
    drawFrame();

    const auto draws = drawCalls();
    ASSERT_EQ(draws.size(), c.draws.size());
    for (std::size_t i = 0; i < draws.size(); ++i) {
        EXPECT_EQ(draws[i].startIndex, c.draws[i].startIndex) << "draw " << i;
        EXPECT_EQ(draws[i].primitiveCount, c.draws[i].primitiveCount) << "draw " << i;
        EXPECT_EQ(draws[i].texture, textureOf(c.draws[i].texture)) << "draw " << i;
        EXPECT_EQ(draws[i].baseVertexIndex, 0);
        EXPECT_EQ(draws[i].minVertexIndex, 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Runs, Batching,
    ::testing::Values(BatchCase{"SeparatedEqualTexturesAreNotMerged", {0, 1, 0}, {{0, 2, 0}, {6, 2, 1}, {12, 2, 0}}},
                      BatchCase{"AdjacentEqualTexturesShareACall", {0, 0, 0, 1}, {{0, 6, 0}, {18, 2, 1}}},
                      BatchCase{"UntexturedQuadsInFrontAreNotDrawn", {-1, -1, 0, -1}, {{12, 2, 0}, {18, 2, -1}}},
                      BatchCase{"OnlyUntexturedQuadsDrawNothing", {-1, -1}, {}}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(Renderer, FrameWithoutQuadsBeginsNoEffectAndCreatesNoBuffer) {
    drawFrame();
    EXPECT_EQ(softgfx::countOf(Op::CreateVertexBuffer), 0u);
    EXPECT_EQ(softgfx::countOf(Op::CreateIndexBuffer), 0u);
    EXPECT_EQ(softgfx::countOf(Op::SetShaderProgram), 0u);
    EXPECT_EQ(softgfx::countOf(Op::DrawIndexedPrimitive), 0u);
}

TEST_F(Renderer, QuadsOfASkippedDrawAreDrawnWithTheNextFrame) {
    IDirect3DTexture9* texture = makeTexture();
    submitMarked(0.1f, 1.0f, texture);
    submitMarked(0.2f, 1.0f, texture);
    // The frame's draw is skipped; the next frame submits one more.
    submitMarked(0.3f, 1.0f, texture);
    drawFrame();
    EXPECT_EQ(drawnXs(drawnQuads()), (std::vector<float>{0.1f, 0.2f, 0.3f}));
    drawFrame();
    EXPECT_TRUE(drawCalls().empty()) << "the list is emptied by the draw";
}

struct BufferFailureCase {
    const char* name;
    Fault fault;
    int quads;
    const char* message;  // nullptr: the failure is not shown
};

class BufferFailure : public Renderer, public ::testing::WithParamInterface<BufferFailureCase> {};

TEST_P(BufferFailure, FrameIsNotDrawnNothingLeaksAndTheNextFrameRecovers) {
    const BufferFailureCase& c = GetParam();
    IDirect3DTexture9* texture = makeTexture();
    const unsigned liveBefore = softgfx::liveDefaultPoolResources();
    softgfx::failNext(c.fault);
    for (int k = 0; k < c.quads; ++k) submitMarked(0.0f, 1.0f, texture);
    drawFrame();

    EXPECT_TRUE(drawCalls().empty());
    EXPECT_EQ(messagesShown(), c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
    EXPECT_EQ(softgfx::liveDefaultPoolResources(), liveBefore);

    submitMarked(0.0f, 1.0f, texture);
    drawFrame();
    const auto draws = drawCalls();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].primitiveCount, 2u) << "the failed frame's quads are gone";
    EXPECT_EQ(softgfx::countOf(Op::CreateVertexBuffer), 1u);
    EXPECT_EQ(messagesShown().size(), c.message ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, BufferFailure,
    ::testing::Values(BufferFailureCase{"VertexBuffer", Fault::CreateVertexBuffer, 3, "Failed to create a vertex buffer"},
                      BufferFailureCase{"NarrowIndexBuffer", Fault::CreateIndexBuffer, 3,
                                        "Failed to create a 16bit index buffer"},
                      BufferFailureCase{"WideIndexBuffer", Fault::CreateIndexBuffer, 16384,
                                        "Failed to create a 32bit index buffer"},
                      // The first lock is the new index buffer's.
                      BufferFailureCase{"IndexLock", Fault::Lock, 3, nullptr}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(Renderer, FailedVertexLockSkipsTheFrameButKeepsTheBuffers) {
    IDirect3DTexture9* texture = makeTexture();
    submitMarked(0.0f, 1.0f, texture);
    drawFrame();
    softgfx::failNext(Fault::Lock);
    submitMarked(0.0f, 1.0f, texture);
    drawFrame();
    EXPECT_TRUE(drawCalls().empty());
    EXPECT_EQ(softgfx::countOf(Op::UnlockVertexBuffer), 0u);

    submitMarked(0.0f, 1.0f, texture);
    drawFrame();
    EXPECT_EQ(drawCalls().size(), 1u);
    EXPECT_EQ(softgfx::countOf(Op::CreateVertexBuffer), 0u);
    EXPECT_TRUE(messagesShown().empty());
}

TEST_F(Renderer, FailingDrawCallIsReportedAndTheOtherBatchesAreStillDrawn) {
    submitMarked(0.0f, 1.0f, makeTexture());
    submitMarked(0.0f, 1.0f, makeTexture());
    softgfx::failNext(Fault::DrawIndexedPrimitive);
    drawFrame();
    const auto draws = drawCalls();
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_TRUE(FAILED(draws[0].result));
    EXPECT_EQ(draws[1].result, D3D_OK);
    EXPECT_EQ(messagesShown(), std::vector<std::string>{"Failed to render graphical user interface"});
}

TEST_F(Renderer, DeviceLossReleasesWhatBlocksTheResetAndTheResetRecreatesTheRest) {
    IDirect3DTexture9* texture = makeTexture();
    submitMarked(0.0f, 1.0f, texture);
    drawFrame();
    ASSERT_GT(softgfx::liveDefaultPoolResources(), 0u);
    softgfx::loseDevice();
    D3DPRESENT_PARAMETERS parameters = Window::instance()->presentParameters;
    EXPECT_EQ(device->Reset(&parameters), D3DERR_INVALIDCALL) << "live buffers block the reset";

    GuiSystem::renderer->onDeviceLost();
    EXPECT_EQ(softgfx::liveDefaultPoolResources(), 0u);
    parameters = Window::instance()->presentParameters;
    EXPECT_EQ(device->Reset(&parameters), D3D_OK);

    softgfx::clearCalls();
    GuiSystem::renderer->onDeviceReset();
    EXPECT_EQ(softgfx::countOf(Op::CreateVertexDeclaration), 1u);
    EXPECT_EQ(softgfx::countOf(Op::CreateShaderProgram), 1u) << "the effect is loaded again";
    submitMarked(0.0f, 1.0f, texture);
    drawFrame();
    EXPECT_EQ(softgfx::countOf(Op::CreateVertexBuffer), 1u);
    EXPECT_EQ(drawCalls().size(), 1u);
    EXPECT_TRUE(messagesShown().empty());
}

TEST_F(Renderer, FailedDeclarationOnResetIsReportedAndDrawCallsThenFail) {
    softgfx::failNext(Fault::CreateVertexDeclaration);
    GuiSystem::renderer->onDeviceReset();
    EXPECT_EQ(messagesShown(), std::vector<std::string>{"Failed to create vertex declaration"});
    submitMarked(0.0f, 1.0f, makeTexture());
    drawFrame();
    EXPECT_EQ(drawCalls().size(), 1u);
    EXPECT_EQ(messagesShown().size(), 2u);
}

// A GUI built in a folder whose data/ holds only what a case puts there.
class RendererWithData : public GuiWorld {
protected:
    void SetUp() override {
        original = std::filesystem::current_path();
        folder = std::filesystem::temp_directory_path() / ("gui-data-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder / "data");
        std::filesystem::current_path(folder);
    }
    void TearDown() override {
        GuiWorld::TearDown();
        std::filesystem::current_path(original);
        std::filesystem::remove_all(folder);
    }
    void buildGui() { GuiWorld::SetUp(); }
    void useEffectFile(const std::string& text) {
        std::ofstream(folder / "data" / "gui.fx") << text;
    }
    std::string shippedEffect() const {
        std::ifstream file(original / "data" / "gui.fx");
        return {std::istreambuf_iterator<char>(file), {}};
    }

    std::filesystem::path original;
    std::filesystem::path folder;
};

TEST_F(RendererWithData, MissingEffectIsReportedAndFramesAreDroppedUntilAResetFindsIt) {
    buildGui();
    EXPECT_EQ(messagesShown(), (std::vector<std::string>{"Failed to create effect gui.fx", "Failed to create default font"}));
    MSG message{};
    EXPECT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, WM_QUIT);

    IDirect3DTexture9* texture = makeTexture();
    submitMarked(0.0f, 1.0f, texture);
    drawFrame();
    EXPECT_EQ(softgfx::countOf(Op::CreateVertexBuffer), 0u);
    EXPECT_TRUE(drawCalls().empty());

    useEffectFile(shippedEffect());
    GuiSystem::renderer->onDeviceReset();
    submitMarked(0.0f, 1.0f, texture);
    drawFrame();
    const auto draws = drawCalls();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].primitiveCount, 2u) << "the dropped frame's quad is gone";
}
