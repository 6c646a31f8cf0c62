// The project's effect file: texture parameters and techniques of passes, each
// pass with its render states, sampler states and GLSL program. Example:
//
//     texture texture_0
//     technique GUI
//         pass main
//             AlphaBlendEnable = true
//             sampler texture_0
//                 MinFilter = Linear
//             end
//             vertex_shader <<GLSL
//             ...GLSL source...
//             GLSL
//             pixel_shader <<GLSL
//             ...
//             GLSL
//         end
//     end
//
// "#" starts a comment line outside shader sources; indentation is free;
// names of states and values are matched without regard to case.
#pragma once

#include "platform/d3d9.h"

#include <string>
#include <vector>

namespace d3dx {

struct StateSetting {
    DWORD state;
    DWORD value;
};

// Sampler states for the stage that a texture parameter is bound to: the
// stage is the parameter's position among the file's texture declarations.
struct SamplerBlock {
    DWORD stage;
    std::vector<StateSetting> states;
};

struct PassDescription {
    std::string name;
    std::vector<StateSetting> renderStates;
    std::vector<SamplerBlock> samplers;
    std::string vertexShader;
    std::string pixelShader;
};

struct TechniqueDescription {
    std::string name;
    std::vector<PassDescription> passes;
};

struct EffectDescription {
    std::vector<std::string> textures;  // stage i samples textures[i]
    std::vector<TechniqueDescription> techniques;
};

// False, with "FILE:LINE: reason" in error, when the text is not a well-formed effect.
bool parseEffect(const std::string& text, const std::string& fileName, EffectDescription& effect, std::string& error);

}  // namespace d3dx
