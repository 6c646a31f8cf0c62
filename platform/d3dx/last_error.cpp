#include "platform/d3dx/last_error.h"

#include "platform/d3dx9.h"

namespace d3dx {

namespace {
thread_local std::string lastError;
}

HRESULT fail(HRESULT result, std::string reason) {
    lastError = std::move(reason);
    return result;
}

void succeed() { lastError.clear(); }

}  // namespace d3dx

const char* D3DXGetLastError() { return d3dx::lastError.c_str(); }
