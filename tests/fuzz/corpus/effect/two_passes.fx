texture texture_0
texture texture_1

technique GUI
    pass first
        AlphaBlendEnable = false
        sampler texture_1
            MinFilter = Point
        end
        vertex_shader <<GLSL
#version 330 core
layout(location = 0) in vec3 position;
void main() { gl_Position = vec4(position, 1.0); }
GLSL
        pixel_shader <<GLSL
#version 330 core
out vec4 fragment;
void main() { fragment = vec4(1.0); }
GLSL
    end
    pass second
        ZEnable = true
        Bogus = 7
    end
end
