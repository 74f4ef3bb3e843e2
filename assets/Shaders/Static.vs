// Static meshes: model, view and projection from the renderer's uniforms (the model matrix is
// uploaded transposed, so it arrives in GLSL's column order). Outputs in view space.
uniform mat4 ModelMatrix;
uniform mat4 ViewMatrix;
uniform mat4 ProjectionMatrix;

in vec4 vertex;
in vec3 normal;
in vec2 texcoord;
in vec3 tangent;
in vec3 binormal;

out vec3 ViewPosition;
out vec3 ViewNormal;
out vec3 ViewTangent;
out vec3 ViewBinormal;
out vec2 TexCoord;

void main()
{
    mat4 modelView = ViewMatrix * ModelMatrix;
    vec4 position = modelView * vertex;
    mat3 turn = mat3(modelView);
    ViewPosition = position.xyz;
    ViewNormal = normalize(turn * normal);
    ViewTangent = normalize(turn * tangent);
    ViewBinormal = normalize(turn * binormal);
    TexCoord = texcoord;
    gl_Position = ProjectionMatrix * position;
}
