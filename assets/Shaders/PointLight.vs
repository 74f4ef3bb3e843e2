// The sphere around a point light, in clip space; the fragment shader works in screen space.
uniform mat4 ModelMatrix;
uniform mat4 ViewMatrix;
uniform mat4 ProjectionMatrix;

in vec4 vertex;

void main()
{
    gl_Position = ProjectionMatrix * ViewMatrix * ModelMatrix * vertex;
}
