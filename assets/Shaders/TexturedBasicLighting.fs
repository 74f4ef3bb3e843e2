// Textured surfaces with the forward pass's light and the background fade. Opaque output.
uniform sampler2D DiffuseMap;
uniform vec4 LightValue;
uniform vec4 LightAmbient;
uniform vec3 Fade;

in vec3 ViewPosition;
in vec3 ViewNormal;
in vec2 TexCoord;

out vec4 FragColor;

void main()
{
    float lit = max(dot(normalize(ViewNormal), normalize(-ViewPosition)), 0.0);
    vec3 colour = texture(DiffuseMap, TexCoord).rgb * (LightAmbient.rgb + LightValue.rgb * lit);
    FragColor = vec4(colour * Fade, 1.0);
}
