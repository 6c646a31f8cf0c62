// D3DXCreateEffectFromFileW: reads, parses and compiles an effect file.
#include "platform/d3dx/effect.h"
#include "platform/d3dx/file_path.h"
#include "platform/d3dx/last_error.h"

#include <fstream>
#include <sstream>

namespace {

class TextBuffer final : public ID3DXBuffer {
public:
    explicit TextBuffer(const char* text) : text_(text) {}
    ULONG AddRef() override { return ++references_; }
    ULONG Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }
    // The text with its terminating zero, as D3DX hands compiler messages out.
    void* GetBufferPointer() override { return text_.data(); }
    DWORD GetBufferSize() override { return static_cast<DWORD>(text_.size() + 1); }

private:
    std::string text_;
    ULONG references_ = 1;
};

HRESULT failWithBuffer(HRESULT result, ID3DXBuffer** errors) {
    if (errors) *errors = new TextBuffer(D3DXGetLastError());
    return result;
}

bool readFile(const std::filesystem::path& path, std::string& text) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::ostringstream contents;
    contents << file.rdbuf();
    text = contents.str();
    return !file.bad();
}

}  // namespace

HRESULT D3DXCreateEffectFromFileW(IDirect3DDevice9* device, LPCWSTR file, const D3DXMACRO* /*defines*/,
                                  ID3DXInclude* /*include*/, DWORD /*flags*/, ID3DXEffectPool* /*pool*/,
                                  ID3DXEffect** effect, ID3DXBuffer** errors) {
    if (errors) *errors = nullptr;
    if (!effect) return failWithBuffer(d3dx::fail(D3DERR_INVALIDCALL, "no effect to return"), errors);
    *effect = nullptr;
    if (!device || !file) return failWithBuffer(d3dx::fail(D3DERR_INVALIDCALL, "no device or no file name"), errors);

    const std::filesystem::path path = d3dx::filePath(file);
    const std::string name = path.string();
    std::string text;
    if (!readFile(path, text)) return failWithBuffer(d3dx::fail(E_FAIL, name + ": cannot read the file"), errors);

    d3dx::EffectDescription description;
    std::string error;
    if (!d3dx::parseEffect(text, name, description, error)) {
        return failWithBuffer(d3dx::fail(D3DXERR_INVALIDDATA, error), errors);
    }
    auto* created = new d3dx::Effect(device, std::move(description), name);
    if (const HRESULT result = created->createPrograms(); FAILED(result)) {
        created->Release();
        return failWithBuffer(result, errors);
    }
    *effect = created;
    d3dx::succeed();
    return D3D_OK;
}
