// Particles: one point becomes one sprite of its size, turned by its spin, lying in the plane
// NormalOrientation gives (the camera's, or across the emission direction), showing its frame
// of the sprite sheet. Sheet frames count row by row from the image's top left; texture rows
// are stored bottom first, so rows are counted down from v = 1.
layout(points) in;
layout(triangle_strip, max_vertices = 4) out;

uniform mat4 ModelMatrix;
uniform mat4 ViewMatrix;
uniform mat4 ProjectionMatrix;
uniform mat4 NormalOrientation;
uniform float FrameWidth;
uniform float FrameHeight;
uniform float TotalFrames;
uniform float WidthFrames;

in vec4 PointColor[];
in float PointScale[];
in float PointRotation[];
in float PointFrame[];

out vec4 Color;
out vec2 TexCoord;
out float ViewDepth;

const vec2 Corners[4] = vec2[](vec2(-0.5, -0.5), vec2(0.5, -0.5), vec2(-0.5, 0.5), vec2(0.5, 0.5));

void main()
{
    vec4 centre = ModelMatrix * vec4(gl_in[0].gl_Position.xyz, 1.0);
    float turnSine = sin(PointRotation[0]);
    float turnCosine = cos(PointRotation[0]);
    mat3 facing = mat3(NormalOrientation);
    float across = max(WidthFrames, 1.0);
    float cell = mod(floor(PointFrame[0]), max(TotalFrames, 1.0));
    float column = mod(cell, across);
    float row = floor(cell / across);
    for (int i = 0; i < 4; ++i)
    {
        vec2 corner = Corners[i] * PointScale[0];
        vec2 turned = vec2(turnCosine * corner.x - turnSine * corner.y,
                           turnSine * corner.x + turnCosine * corner.y);
        vec4 world = centre + vec4(facing * vec3(turned, 0.0), 0.0);
        vec4 view = ViewMatrix * world;
        gl_Position = ProjectionMatrix * view;
        ViewDepth = -view.z;
        TexCoord = vec2((column + Corners[i].x + 0.5) * FrameWidth,
                        1.0 - (row + 0.5 - Corners[i].y) * FrameHeight);
        Color = PointColor[0];
        EmitVertex();
    }
    EndPrimitive();
}
