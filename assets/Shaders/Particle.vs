// Particles: each point carries its colour, size, spin and sprite-sheet frame on to the geometry
// stage, which makes the sprite.
in vec4 vertex;
in vec4 color;
in float scale;
in float rotation;
in float frame;

out vec4 PointColor;
out float PointScale;
out float PointRotation;
out float PointFrame;

void main()
{
    PointColor = color;
    PointScale = scale;
    PointRotation = rotation;
    PointFrame = frame;
    gl_Position = vertex;
}
