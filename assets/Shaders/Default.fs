// Forward shading of a material with the forward pass's light: diffuse texture lit by one
// directional light from the camera plus ambient, emissive added. Opaque output.
uniform sampler2D DiffuseMap;
uniform sampler2D EmissiveMap;
uniform vec4 LightValue;
uniform vec4 LightAmbient;
uniform vec4 MaterialEmitted;

in vec3 ViewPosition;
in vec3 ViewNormal;
in vec2 TexCoord;

out vec4 FragColor;

void main()
{
    vec3 toEye = normalize(-ViewPosition);
    float lit = max(dot(normalize(ViewNormal), toEye), 0.0);
    vec3 diffuse = texture(DiffuseMap, TexCoord).rgb;
    vec3 colour = diffuse * (LightAmbient.rgb + LightValue.rgb * lit) +
                  texture(EmissiveMap, TexCoord).rgb + MaterialEmitted.rgb;
    FragColor = vec4(colour, 1.0);
}
