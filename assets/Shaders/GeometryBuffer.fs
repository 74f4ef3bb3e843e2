// The geometry pass: one value per attachment of the geometry buffer.
//   0 view depth (one float)   1 diffuse colour   2 specular and gloss   3 view normal (0-1)
//   4 glow (the emissive map plus the object's glow colours)   5 opacity
// The object's intensity (1, 1, 1 unless an intensity component drives it, as a hit flash
// does) scales its diffuse colour; what it asks beyond white, which the diffuse attachment
// cannot hold, is added to the glow so that a flash brighter than the object blooms.
uniform sampler2D DiffuseMap;
uniform sampler2D NormalMap;
uniform sampler2D SpecularMap;
uniform sampler2D GlossMap;
uniform sampler2D EmissiveMap;
uniform sampler2D OpacityMap;
uniform vec3 BloomEmissiveColor;
uniform float BloomEmissiveScale;
uniform vec3 BloomGlobalColor;
uniform float BloomGlobalScale;
uniform vec3 Intensity;

in vec3 ViewPosition;
in vec3 ViewNormal;
in vec3 ViewTangent;
in vec3 ViewBinormal;
in vec2 TexCoord;

layout(location = 0) out float Depth;
layout(location = 1) out vec4 Diffuse;
layout(location = 2) out vec4 Specular;
layout(location = 3) out vec4 Normal;
layout(location = 4) out vec4 Glow;
layout(location = 5) out vec4 Opacity;

void main()
{
    vec3 bump = texture(NormalMap, TexCoord).xyz * 2.0 - 1.0;
    mat3 tangentSpace = mat3(normalize(ViewTangent), normalize(ViewBinormal), normalize(ViewNormal));
    vec3 normal = normalize(tangentSpace * bump);
    Depth = -ViewPosition.z;
    vec3 colour = texture(DiffuseMap, TexCoord).rgb;
    Diffuse = vec4(colour * Intensity, 1.0);
    Specular = vec4(texture(SpecularMap, TexCoord).rgb, texture(GlossMap, TexCoord).r);
    Normal = vec4(normal * 0.5 + 0.5, 1.0);
    Glow = vec4(texture(EmissiveMap, TexCoord).rgb + BloomEmissiveColor * BloomEmissiveScale +
                    BloomGlobalColor * BloomGlobalScale +
                    colour * max(Intensity - vec3(1.0), vec3(0.0)),
                1.0);
    Opacity = vec4(texture(OpacityMap, TexCoord).rgb, 1.0);
}
