# The effect of the quad renderer: textured, tinted quads blended over the
# frame by their alpha. Positions arrive as clip space and are used unchanged.

texture texture_0

technique GUI
    pass main
        AlphaBlendEnable = true
        SrcBlend = SrcAlpha
        DestBlend = InvSrcAlpha
        ZEnable = false
        ZWriteEnable = false
        CullMode = None

        # Trilinear, so that the atlas and the font stay smooth when drawn small.
        sampler texture_0
            MinFilter = Linear
            MagFilter = Linear
            MipFilter = Linear
            AddressU = Clamp
            AddressV = Clamp
        end

        vertex_shader <<GLSL
#version 330 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec2 texcoord;
layout(location = 2) in vec4 colour;
out vec2 uv;
out vec4 tint;
void main() {
    uv = texcoord;
    tint = colour;
    gl_Position = vec4(position, 1.0);
}
GLSL

        pixel_shader <<GLSL
#version 330 core
uniform sampler2D texture_0;
in vec2 uv;
in vec4 tint;
out vec4 fragment;
void main() {
    fragment = texture(texture_0, uv) * tint;
}
GLSL
    end
end
