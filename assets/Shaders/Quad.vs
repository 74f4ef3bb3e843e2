// A screen rectangle: the unit quad scaled and moved by the model matrix into the 0-1 square,
// then onto the whole target.
uniform mat4 ModelMatrix;

in vec4 vertex;
in vec2 texcoord;

out vec2 TexCoord;

void main()
{
    vec4 placed = ModelMatrix * vertex;
    TexCoord = texcoord;
    gl_Position = vec4(placed.xy * 2.0 - 1.0, 0.0, 1.0);
}
