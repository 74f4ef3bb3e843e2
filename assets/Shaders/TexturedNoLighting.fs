// Screen elements and unlit surfaces: the texture tinted by the element's or text's colour,
// faded, with its own alpha. A program that never sets "DiffuseColor" draws the texture as it
// is: uniform initialisers (GLSL 1.20 and later, so every header version the engine picks) give
// it white.
uniform sampler2D DiffuseMap;
uniform vec4 DiffuseColor = vec4(1.0, 1.0, 1.0, 1.0);
uniform vec3 Fade;
uniform float Alpha;

in vec2 TexCoord;

out vec4 FragColor;

void main()
{
    vec4 colour = texture(DiffuseMap, TexCoord) * DiffuseColor;
    FragColor = vec4(colour.rgb * Fade, colour.a * Alpha);
}
