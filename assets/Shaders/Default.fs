// Forward shading of a material with the forward pass's light: diffuse texture lit by one
// directional light from the camera plus ambient, emissive added. Where the shadow camera sees
// something nearer than this fragment (ShadowMap through ShadowMatrix), only the ambient part
// lights it. The object's intensity (1, 1, 1 unless an intensity component drives it, as a hit
// flash does) scales the diffuse colour. Opaque output.
uniform sampler2D DiffuseMap;
uniform sampler2D EmissiveMap;
uniform vec4 LightValue;
uniform vec4 LightAmbient;
uniform vec4 MaterialEmitted;
uniform sampler2D ShadowMap;
uniform mat4 ShadowMatrix;
uniform mat4 ViewInverse;
uniform vec3 Intensity;

in vec3 ViewPosition;
in vec3 ViewNormal;
in vec2 TexCoord;

out vec4 FragColor;

// Depth difference below which a fragment counts as the one the shadow camera saw.
const float ShadowBias = 0.002;

float Unshadowed()
{
    vec4 world = ViewInverse * vec4(ViewPosition, 1.0);
    vec4 shadow = ShadowMatrix * world;
    if (shadow.w <= 0.0)
        return 1.0;
    vec3 coord = shadow.xyz / shadow.w;
    if (any(lessThan(coord, vec3(0.0))) || any(greaterThan(coord, vec3(1.0))))
        return 1.0;
    return coord.z - ShadowBias > texture(ShadowMap, coord.xy).r ? 0.0 : 1.0;
}

void main()
{
    vec3 toEye = normalize(-ViewPosition);
    float lit = max(dot(normalize(ViewNormal), toEye), 0.0) * Unshadowed();
    vec3 diffuse = texture(DiffuseMap, TexCoord).rgb * Intensity;
    vec3 colour = diffuse * (LightAmbient.rgb + LightValue.rgb * lit) +
                  texture(EmissiveMap, TexCoord).rgb + MaterialEmitted.rgb;
    FragColor = vec4(colour, 1.0);
}
