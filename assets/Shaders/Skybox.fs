// The sky texture, unlit and opaque.
uniform sampler2D DiffuseMap;

in vec2 TexCoord;

out vec4 FragColor;

void main()
{
    FragColor = vec4(texture(DiffuseMap, TexCoord).rgb, 1.0);
}
