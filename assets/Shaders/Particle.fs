// Particles: the sprite's texel tinted by the particle's colour. With a depth map (the scene's
// view depth) the sprite fades out where it comes close to the geometry behind it, so it never
// shows a hard edge where it cuts into a wall. The same colour goes to every draw buffer; the
// forward pass's colour masks choose the layer it lands in.
uniform sampler2D DiffuseMap;
uniform sampler2D DepthMap;
uniform int SoftFade;

in vec4 Color;
in vec2 TexCoord;
in float ViewDepth;

layout(location = 0) out vec4 Scene;
layout(location = 1) out vec4 AdditiveLayer;
layout(location = 2) out vec4 AlphaLayer;

// View-space distance over which a sprite fades in front of the scene.
const float SoftDistance = 0.5;

void main()
{
    vec4 colour = texture(DiffuseMap, TexCoord) * Color;
    if (SoftFade != 0)
    {
        float scene = texelFetch(DepthMap, ivec2(gl_FragCoord.xy), 0).r;
        colour.a *= clamp((scene - ViewDepth) / SoftDistance, 0.0, 1.0);
    }
    Scene = colour;
    AdditiveLayer = colour;
    AlphaLayer = colour;
}
