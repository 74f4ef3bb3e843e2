// Text: the font texture's coverage tints the text colour.
uniform sampler2D DiffuseMap;
uniform vec4 DiffuseColor;

in vec2 TexCoord;

out vec4 FragColor;

void main()
{
    vec4 glyph = texture(DiffuseMap, TexCoord);
    FragColor = vec4(DiffuseColor.rgb, DiffuseColor.a * glyph.a);
}
