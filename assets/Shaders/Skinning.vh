// Skinning shared by the skinned vertex shaders: the bone matrices of the animation controller
// and the blend of up to four of them. Bone indices arrive as floats.
const int MaxBones = 64;
uniform mat4 WorldMatrixArray[MaxBones];

mat4 SkinMatrix(vec4 weights, vec4 indices)
{
    ivec4 bones = clamp(ivec4(indices + vec4(0.5)), ivec4(0), ivec4(MaxBones - 1));
    return WorldMatrixArray[bones.x] * weights.x + WorldMatrixArray[bones.y] * weights.y +
           WorldMatrixArray[bones.z] * weights.z + WorldMatrixArray[bones.w] * weights.w;
}
