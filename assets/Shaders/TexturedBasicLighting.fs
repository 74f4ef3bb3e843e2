// The composition's lit quad: the forward-lit scene brightened by the point lights that the
// lighting pass added (their diffuse light sits on a base of 0.1, which lights nothing), plus
// their specular light, all times the background fade. The scene's alpha lays it over the
// window.
uniform sampler2D DiffuseMap;
uniform sampler2D EmissiveMap;
uniform sampler2D SpecularMap;
uniform sampler2D IntensityMap;
uniform vec3 Fade;

in vec2 TexCoord;

out vec4 FragColor;

const float LightingBase = 0.1;

void main()
{
    vec4 scene = texture(DiffuseMap, TexCoord);
    vec3 light = max(texture(EmissiveMap, TexCoord).rgb - vec3(LightingBase), vec3(0.0));
    vec3 specular = texture(SpecularMap, TexCoord).rgb * texture(IntensityMap, TexCoord).r;
    vec3 colour = scene.rgb * (vec3(1.0) + light) + specular;
    FragColor = vec4(colour * Fade, scene.a);
}
