// Text quads: glyph corners scaled by the text's scale, placed by the object's translation.
uniform mat4 ModelMatrix;
uniform mat4 ViewMatrix;
uniform mat4 ProjectionMatrix;
uniform vec3 TextScale;

in vec4 vertex;
in vec2 texcoord;

out vec2 TexCoord;

void main()
{
    vec4 scaled = vec4(vertex.xyz * TextScale, 1.0);
    TexCoord = texcoord;
    gl_Position = ProjectionMatrix * ViewMatrix * ModelMatrix * scaled;
}
