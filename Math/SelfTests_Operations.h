#pragma once
// The seam that shows the self-tests catch faults. Each suite reaches one of the operations it
// checks through this table instead of calling it directly, so a test can install a wrong
// version and see that suite fail. The table starts out holding the real operations and the
// engine never changes it; like the suites, it belongs to the main thread.
#include "Math/Types.h"

namespace Math
{

class PingPongValue;
class Quaternion;
class Matrix4;
class Vector2;
class Vector3;
class Vector4;
struct Matrix2;

struct SelfTestOperations
{
    // Math utilities: linear interpolation.
    f32 (*lerp)(f32 from, f32 to, f32 t);
    // TestMatrix2: the product with a column vector.
    Vector2 (*matrix2Times)(const Matrix2& matrix, const Vector2& v);
    // TestMatrix4: the determinant.
    f32 (*matrix4Determinant)(const Matrix4& matrix);
    // TestQuaternion: normalisation.
    f32 (*quaternionNormalize)(Quaternion& q);
    // TestVector2: the length.
    f32 (*vector2Length)(const Vector2& v);
    // TestVector3: the cross product.
    Vector3 (*vector3Cross)(const Vector3& a, const Vector3& b);
    // TestVector4 (and the quaternion suite, which runs its dot product test): the dot product.
    f32 (*vector4Dot)(const Vector4& a, const Vector4& b);
    // TestPingPongValue: the update.
    void (*pingPongUpdate)(PingPongValue& value, f32 dt);
};

// The real operations.
SelfTestOperations RealSelfTestOperations();
void SetSelfTestOperations(const SelfTestOperations& operations);
// Back to the real operations.
void ResetSelfTestOperations();
const SelfTestOperations& GetSelfTestOperations();

} // namespace Math
