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

        # Trilinear, so that