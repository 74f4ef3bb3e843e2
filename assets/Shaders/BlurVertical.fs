// One vertical step of the bloom blur: nine taps with Gaussian weights.
uniform sampler2D DiffuseMap;
uniform float Resolution;

in vec2 TexCoord;

out vec4 FragColor;

const float Weights[5] = float[](0.227027, 0.1945946, 0.1216216, 0.054054, 0.016216);

void main()
{
    float texel = Resolution / float(textureSize(DiffuseMap, 0).y);
    vec3 sum = texture(DiffuseMap, TexCoord).rgb * Weights[0];
    for (int i = 1; i < 5; ++i)
    {
        sum += texture(DiffuseMap, TexCoord + vec2(0.0, texel * float(i))).rgb * Weights[i];
        sum += texture(DiffuseMap, TexCoord - vec2(0.0, texel * float(i))).rgb * Weights[i];
    }
    FragColor = vec4(sum, 1.0);
}
