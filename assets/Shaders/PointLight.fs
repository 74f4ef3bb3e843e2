// One point light added to the lighting buffer: the pixel's view position is rebuilt from the
// geometry buffer's depth, lit with the light's colours and faded between the near and far
// radius. Attachments: 0 diffuse light, 1 specular light, 2 intensity.
uniform sampler2D DepthMap;
uniform sampler2D SpecularMap;
uniform sampler2D NormalMap;
uniform mat4 ViewMatrix;
uniform mat4 ProjectionMatrix;
uniform float PixelWidth;
uniform float PixelHeight;
uniform vec3 LightPosition;
uniform vec4 LightDiffuse;
uniform vec4 LightSpecular;
uniform float LightRadiusNear;
uniform float LightRadiusFar;
uniform float LightDiffuseIntensity;
uniform float LightSpecularIntensity;

layout(location = 0) out vec4 DiffuseLight;
layout(location = 1) out vec4 SpecularLight;
layout(location = 2) out vec4 Intensity;

void main()
{
    vec2 screen = gl_FragCoord.xy * vec2(PixelWidth, PixelHeight);
    float depth = texture(DepthMap, screen).r;
    vec4 clip = vec4(screen * 2.0 - 1.0, depth * 2.0 - 1.0, 1.0);
    vec4 view = inverse(ProjectionMatrix) * clip;
    vec3 position = view.xyz / view.w;
    vec3 normal = normalize(texture(NormalMap, screen).xyz * 2.0 - 1.0);
    vec4 specular = texture(SpecularMap, screen);

    vec3 light = (ViewMatrix * vec4(LightPosition, 1.0)).xyz;
    vec3 toLight = light - position;
    float distance = length(toLight);
    float fade = 1.0 - smoothstep(LightRadiusNear, max(LightRadiusFar, LightRadiusNear + 0.001),
                                  distance);
    vec3 direction = toLight / max(distance, 0.0001);
    float lambert = max(dot(normal, direction), 0.0);
    vec3 halfway = normalize(direction + normalize(-position));
    float shine = pow(max(dot(normal, halfway), 0.0), 1.0 + specular.a * 127.0);

    DiffuseLight = vec4(LightDiffuse.rgb * lambert * LightDiffuseIntensity * fade, 1.0);
    SpecularLight = vec4(LightSpecular.rgb * specular.rgb * shine * LightSpecularIntensity * fade,
                         1.0);
    Intensity = vec4(vec3(fade), 1.0);
}
