#include "platform/soft/shader_check.h"

#include <glslang/Public/ResourceLimits.h>
#include <glslang/Public/ShaderLang.h>

#include <memory>

namespace softgfx::detail {

namespace {

constexpr int glslVersion = 330;

void initialiseOnce() {
    static const bool initialised = glslang::InitializeProcess();
    (void)initialised;
}

std::unique_ptr<glslang::TShader> compiled(EShLanguage stage, const char* source, const char* label,
                                           std::string* log) {
    auto shader = std::make_unique<glslang::TShader>(stage);
    shader->setStrings(&source, 1);
    if (shader->parse(GetDefaultResources(), glslVersion, ECoreProfile, false, true, EShMsgDefault)) return shader;
    if (log) *log = std::string(label) + ": " + shader->getInfoLog();
    return nullptr;
}

}  // namespace

bool programCompiles(const char* vertexSource, const char* fragmentSource, std::string* log) {
    initialiseOnce();
    auto vertex = compiled(EShLangVertex, vertexSource, "vertex shader", log);
    if (!vertex) return false;
    auto fragment = compiled(EShLangFragment, fragmentSource, "fragment shader", log);
    if (!fragment) return false;

    glslang::TProgram program;
    program.addShader(vertex.get());
    program.addShader(fragment.get());
    if (program.link(EShMsgDefault)) return true;
    if (log) *log = std::string("link: ") + program.getInfoLog();
    return false;
}

}  // namespace softgfx::detail
