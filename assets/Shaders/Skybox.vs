// The skybox follows the camera's turn but not its position, and lies behind everything.
uniform mat4 ModelMatrix;
uniform mat4 ViewMatrix;
uniform mat4 ProjectionMatrix;

in vec4 vertex;
in vec2 texcoord;

out vec2 TexCoord;

void main()
{
    mat4 turnOnly = mat4(mat3(ViewMatrix));
    vec4 position = ProjectionMatrix * turnOnly * ModelMatrix * vertex;
    TexCoord = texcoord;
    gl_Position = position.xyww;
}
