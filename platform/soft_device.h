// Control of the software graphics device, for tests and the capture tool:
// the log of the calls the device received, the framebuffer it drew, faults to
// inject so that every failure path of a caller can be driven, and the count
// of live resources. Linked only into binaries that use the headless backends.
#pragma once

#include "platform/d3d9.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace softgfx {

// The calls the device records, whether or not it rasterizes.
enum class Op {
    CreateDevice,
    TestCooperativeLevel,
    Reset,
    BeginScene,
    EndScene,
    Clear,
    Present,
    CreateVertexDeclaration,
    CreateVertexBuffer,
    CreateIndexBuffer,
    CreateTexture,
    CreateShaderProgram,
    LockVertexBuffer,
    UnlockVertexBuffer,
    LockIndexBuffer,
    UnlockIndexBuffer,
    LockTexture,
    UnlockTexture,
    SetVertexDeclaration,
    SetStreamSource,
    SetIndices,
    SetTexture,
    SetRenderState,
    SetSamplerState,
    SetShaderProgram,  // an effect's BeginPass binds its program, EndPass binds none
    DrawIndexedPrimitive,
    ReleaseResource,   // the last reference of a buffer, texture, declaration or program went
};

const char* opName(Op op);

// One recorded call. Only the fields that belong to the call are set; the rest
// stay zero. "object" is the resource concerned: the created, locked, bound or
// released object (null when a call binds nothing).
struct Record {
    Op op;
    HRESULT result;
    const void* object;

    // DrawIndexedPrimitive: its arguments and the state it drew with.
    D3DPRIMITIVETYPE primitiveType;
    INT baseVertexIndex;
    UINT minVertexIndex;
    UINT numVertices;
    UINT startIndex;
    UINT primitiveCount;
    const IDirect3DBaseTexture9* texture;  // bound at stage 0 (also SetTexture's texture)
    D3DFORMAT indexFormat;                 // of the bound index buffer (also CreateIndexBuffer's format)
    const IDirect3DVertexBuffer9* vertexBuffer;
    const IDirect3DIndexBuffer9* indexBuffer;
    const IDirect3DShaderProgram* program;

    // CreateVertexBuffer, CreateIndexBuffer: length in bytes; CreateTexture: width x height, levels.
    UINT length;
    DWORD usage;
    D3DPOOL pool;
    UINT width, height, levels;

    // Lock and LockRect: offset and size in bytes (LockRect: level in offset), flags.
    UINT offset;
    UINT size;
    DWORD flags;  // also Clear's flags

    // Clear.
    D3DCOLOR color;
    float z;

    // SetRenderState, SetSamplerState (stage is the sampler), SetTexture and SetStreamSource (stage is
    // the stage or stream; stride in value).
    DWORD stage;
    DWORD state;
    DWORD value;
};

// Every call since the last clearCalls() (or since the last BeginScene while
// logPerFrame is on).
const std::vector<Record>& calls();
std::vector<Record> callsOf(Op op);
std::size_t countOf(Op op);
void clearCalls();
// When on, each BeginScene starts a fresh log, so that a long run keeps one frame's calls.
void setLogPerFrame(bool on);

// Rasterizing. The device always records; it draws pixels only in scenes for
// which this answers true (asked at BeginScene; true by default).
void setRasterizing(bool on);
void setRasterizing(std::function<bool()> predicate);

// The picture: 818 x 318 (the client area) unless the device was created with
// another back-buffer size. Pixels are R, G, B, A bytes, rows top to bottom;
// alpha is always 255 (the back buffer has no alpha channel).
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
    std::uint32_t pixel(int x, int y) const;  // 0xAARRGGBB, as D3DCOLOR
};
// What the device draws into now, and what the last successful Present of a
// rasterized scene showed.
const Image& backBuffer();
const Image& frontBuffer();
// Writes an image as an RGBA PNG. False (with the reason in *error) when the file cannot be written.
bool writePng(const Image& image, const std::string& path, std::string* error = nullptr);

// Called after every Present, with its result (the capture tool takes its shots here).
using PresentListener = std::function<void(HRESULT result)>;
void setPresentListener(PresentListener listener);
std::uint64_t presentCount();

// The bytes a buffer holds, as the last Unlock left them (for tests of what a caller wrote).
std::span<const std::byte> contents(IDirect3DVertexBuffer9* buffer);
std::span<const std::byte> contents(IDirect3DIndexBuffer9* buffer);

// Fault injection: the next `count` calls of the kind fail. Failing creations
// return E_OUTOFMEMORY (D3DERR_OUTOFVIDEOMEMORY for buffers) and leave no object.
enum class Fault {
    CreateDirect3D,             // Direct3DCreate9 returns null
    GetDeviceCaps,              // D3DERR_INVALIDCALL
    CheckMultiSampleNone,       // CheckDeviceMultiSampleType for D3DMULTISAMPLE_NONE: D3DERR_NOTAVAILABLE
    CheckMultiSample2,          // the same for D3DMULTISAMPLE_2_SAMPLES
    CreateDevice,               // D3DERR_NOTAVAILABLE
    Present,                    // D3DERR_DEVICELOST, and the device is lost from then on (see loseDevice)
    BeginScene,                 // D3DERR_INVALIDCALL
    Reset,                      // D3DERR_DEVICELOST; the device stays lost
    CreateVertexDeclaration,
    CreateVertexBuffer,
    CreateIndexBuffer,
    CreateTexture,
    Lock,                       // vertex and index buffer Lock: D3DERR_INVALIDCALL, no pointer
    LockRect,                   // texture LockRect
    DrawIndexedPrimitive,       // D3DERR_INVALIDCALL, nothing drawn
};
void failNext(Fault fault, unsigned count = 1);

// Loses the device now. While it is lost, Present answers D3DERR_DEVICELOST;
// TestCooperativeLevel answers D3DERR_DEVICELOST for the next lostTests tests
// (Reset meanwhile fails with D3DERR_DEVICELOST), then D3DERR_DEVICENOTRESET
// until a Reset succeeds. A failed Present loses the device with the lostTests
// set by setLostTests (0 by default: ready to be reset at once).
void loseDevice(unsigned lostTests = 0);
void setLostTests(unsigned lostTests);
bool deviceLost();

// Resources alive now. Reset answers D3DERR_INVALIDCALL while any default-pool resource lives.
unsigned liveDefaultPoolResources();
unsigned liveObjects();  // every device object: buffers, textures, declarations, programs, devices

// The last device created (null when none lives).
IDirect3DDevice9* currentDevice();

// Back to a fresh state: empty log, no faults, not lost, rasterizing on, no
// listener, cleared pictures. Objects still alive stay alive.
void reset();

}  // namespace softgfx
