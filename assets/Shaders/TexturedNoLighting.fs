// Screen elements and unlit surfaces: the texture as it is, faded, with its own alpha.
uniform sampler2D DiffuseMap;
uniform vec3 Fade;
uniform float Alpha;

in vec2 TexCoord;

out vec4 FragColor;

void main()
{
    vec4 colour = texture(DiffuseMap, TexCoord);
    FragColor = vec4(colour.rgb * Fade, colour.a * Alpha);
}
