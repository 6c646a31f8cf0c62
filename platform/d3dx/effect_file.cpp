#include "platform/d3dx/effect_file.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <span>
#include <sstream>
#include <stdexcept>

namespace d3dx {

namespace {

struct NamedValue {
    const char* name;
    DWORD value;
};

const NamedValue booleans[] = {{"true", 1}, {"false", 0}};
const NamedValue blends[] = {{"Zero", D3DBLEND_ZERO},         {"One", D3DBLEND_ONE},
                             {"SrcColor", D3DBLEND_SRCCOLOR}, {"InvSrcColor", D3DBLEND_INVSRCCOLOR},
                             {"SrcAlpha", D3DBLEND_SRCALPHA}, {"InvSrcAlpha", D3DBLEND_INVSRCALPHA}};
const NamedValue comparisons[] = {{"Never", D3DCMP_NEVER},
                                  {"Less", D3DCMP_LESS},
                                  {"Equal", D3DCMP_EQUAL},
                                  {"LessEqual", D3DCMP_LESSEQUAL},
                                  {"Always", D3DCMP_ALWAYS}};
const NamedValue cullModes[] = {{"None", D3DCULL_NONE}, {"CW", D3DCULL_CW}, {"CCW", D3DCULL_CCW}};
const NamedValue addressModes[] = {{"Wrap", D3DTADDRESS_WRAP}, {"Clamp", D3DTADDRESS_CLAMP}};
const NamedValue filters[] = {{"None", D3DTEXF_NONE}, {"Point", D3DTEXF_POINT}, {"Linear", D3DTEXF_LINEAR}};

struct StateName {
    const char* name;
    DWORD state;
    std::span<const NamedValue> values;
};

const StateName renderStates[] = {
    {"AlphaBlendEnable", D3DRS_ALPHABLENDENABLE, booleans},
    {"SrcBlend", D3DRS_SRCBLEND, blends},
    {"DestBlend", D3DRS_DESTBLEND, blends},
    {"ZEnable", D3DRS_ZENABLE, booleans},
    {"ZWriteEnable", D3DRS_ZWRITEENABLE, booleans},
    {"ZFunc", D3DRS_ZFUNC, comparisons},
    {"CullMode", D3DRS_CULLMODE, cullModes},
};

const StateName samplerStates[] = {
    {"AddressU", D3DSAMP_ADDRESSU, addressModes}, {"AddressV", D3DSAMP_ADDRESSV, addressModes},
    {"MinFilter", D3DSAMP_MINFILTER, filters},    {"MagFilter", D3DSAMP_MAGFILTER, filters},
    {"MipFilter", D3DSAMP_MIPFILTER, filters},
};

bool sameName(const std::string& a, const char* b) {
    const std::string other(b);
    return std::equal(a.begin(), a.end(), other.begin(), other.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

std::vector<std::string> wordsOf(const std::string& line) {
    std::istringstream stream(line);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) words.push_back(word);
    return words;
}

// Reads the file line by line; a failure throws with the number of the line.
class Parser {
public:
    Parser(const std::string& text, const std::string& fileName) : fileName_(fileName) {
        std::istringstream stream(text);
        for (std::string line; std::getline(stream, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines_.push_back(line);
        }
    }

    EffectDescription effect() {
        EffectDescription effect;
        while (auto words = nextStatement()) {
            if (words->size() == 2 && (*words)[0] == "texture") {
                if (std::find(effect.textures.begin(), effect.textures.end(), (*words)[1]) != effect.textures.end()) {
                    fail("texture " + (*words)[1] + " is declared twice");
                }
                effect.textures.push_back((*words)[1]);
            } else if (words->size() == 2 && (*words)[0] == "technique") {
                for (const auto& known : effect.techniques) {
                    if (known.name == (*words)[1]) fail("technique " + known.name + " is declared twice");
                }
                effect.techniques.push_back(technique((*words)[1], effect.textures));
            } else {
                fail("expected \"texture NAME\" or \"technique NAME\"");
            }
        }
        if (effect.techniques.empty()) fail("the file has no technique");
        return effect;
    }

private:
    TechniqueDescription technique(const std::string& name, const std::vector<std::string>& textures) {
        TechniqueDescription technique{name, {}};
        const std::size_t opened = current_;
        while (auto words = nextStatement()) {
            if (words->size() == 1 && (*words)[0] == "end") {
                if (technique.passes.empty()) fail("technique " + name + " has no pass");
                return technique;
            }
            if (words->size() != 2 || (*words)[0] != "pass") fail("expected \"pass NAME\" or \"end\"");
            technique.passes.push_back(pass((*words)[1], textures));
        }
        current_ = opened;
        fail("technique " + name + " has no \"end\"");
    }

    PassDescription pass(const std::string& name, const std::vector<std::string>& textures) {
        PassDescription pass{name, {}, {}, {}, {}};
        const std::size_t opened = current_;
        while (auto words = nextStatement()) {
            if (words->size() == 1 && (*words)[0] == "end") {
                if (pass.vertexShader.empty()) fail("pass " + name + " has no vertex_shader");
                if (pass.pixelShader.empty()) fail("pass " + name + " has no pixel_shader");
                return pass;
            }
            if (words->size() == 2 && (*words)[0] == "sampler") {
                pass.samplers.push_back(sampler((*words)[1], textures));
            } else if (words->size() == 2 && (*words)[0] == "vertex_shader") {
                pass.vertexShader = shaderSource((*words)[1]);
            } else if (words->size() == 2 && (*words)[0] == "pixel_shader") {
                pass.pixelShader = shaderSource((*words)[1]);
            } else {
                pass.renderStates.push_back(setting(*words, renderStates));
            }
        }
        current_ = opened;
        fail("pass " + name + " has no \"end\"");
    }

    SamplerBlock sampler(const std::string& texture, const std::vector<std::string>& textures) {
        const auto declared = std::find(textures.begin(), textures.end(), texture);
        if (declared == textures.end()) fail("sampler of undeclared texture " + texture);
        SamplerBlock block{static_cast<DWORD>(declared - textures.begin()), {}};
        const std::size_t opened = current_;
        while (auto words = nextStatement()) {
            if (words->size() == 1 && (*words)[0] == "end") return block;
            block.states.push_back(setting(*words, samplerStates));
        }
        current_ = opened;
        fail("sampler " + texture + " has no \"end\"");
    }

    // "<<TAG" opens the source; a line holding only TAG closes it.
    std::string shaderSource(const std::string& opener) {
        if (opener.size() < 3 || opener.compare(0, 2, "<<") != 0) fail("expected <<TAG after the shader keyword");
        const std::string tag = opener.substr(2);
        const std::size_t opened = current_;
        std::string source;
        while (current_ < lines_.size()) {
            const std::string& line = lines_[current_++];
            const std::vector<std::string> words = wordsOf(line);
            if (words.size() == 1 && words[0] == tag) {
                if (wordsOf(source).empty()) fail("empty shader source");
                return source;
            }
            source += line;
            source += '\n';
        }
        current_ = opened;
        fail("shader source has no closing " + tag);
    }

    StateSetting setting(const std::vector<std::string>& words, std::span<const StateName> names) {
        if (words.size() != 3 || words[1] != "=") fail("expected \"STATE = VALUE\"");
        for (const StateName& name : names) {
            if (!sameName(words[0], name.name)) continue;
            for (const NamedValue& value : name.values) {
                if (sameName(words[2], value.name)) return {name.state, value.value};
            }
            fail("unknown value " + words[2] + " for " + name.name);
        }
        fail("unknown state " + words[0]);
    }

    // The words of the next line that is neither blank nor a comment.
    std::optional<std::vector<std::string>> nextStatement() {
        while (current_ < lines_.size()) {
            std::vector<std::string> words = wordsOf(lines_[current_++]);
            if (!words.empty() && words[0][0] != '#') return words;
        }
        return std::nullopt;
    }

    [[noreturn]] void fail(const std::string& reason) const {
        throw std::runtime_error(fileName_ + ":" + std::to_string(current_) + ": " + reason);
    }

    std::string fileName_;
    std::vector<std::string> lines_;
    std::size_t current_ = 0;  // lines read so far: the number of the last line read
};

}  // namespace

bool parseEffect(const std::string& text, const std::string& fileName, EffectDescription& effect, std::string& error) {
    try {
        effect = Parser(text, fileName).effect();
        return true;
    } catch (const std::runtime_error& failure) {
        error = failure.what();
        return false;
    }
}

}  // namespace d3dx
