// Skinned meshes: as Static.vs, with each vertex moved by its bones first (Skinning.vh).
uniform mat4 ModelMatrix;
uniform mat4 ViewMatrix;
uniform mat4 ProjectionMatrix;

in vec4 vertex;
in vec3 normal;
in vec2 texcoord;
in vec3 tangent;
in vec3 binormal;
in vec4 weight;
in vec4 index;

out vec3 ViewPosition;
out vec3 ViewNormal;
out vec3 ViewTangent;
out vec3 ViewBinormal;
out vec2 TexCoord;

mat4 SkinMatrix(vec4 weights, vec4 indices);

void main()
{
    mat4 skin = SkinMatrix(weight, index);
    mat4 modelView = ViewMatrix * ModelMatrix * skin;
    vec4 position = modelView * vertex;
    mat3 turn = mat3(modelView);
    ViewPosition = position.xyz;
    ViewNormal = normalize(turn * normal);
    ViewTangent = normalize(turn * tangent);
    ViewBinormal = normalize(turn * binormal);
    TexCoord = texcoord;
    gl_Position = ProjectionMatrix * position;
}
