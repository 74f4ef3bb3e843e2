#include "Core/Reflection/MathTypeRecords.h"
#include "Core/Reflection/TypeRegistry.h"
#include "Math/ColorRGBA.h"
#include "Math/Matrix2.h"
#include "Math/Matrix3.h"
#include "Math/Matrix4.h"
#include "Math/Point4.h"
#include "Math/SphericalCoordinate.h"
#include "Math/Vector2.h"
#include "Math/Vector3.h"
#include "Math/Vector4.h"
#include <cstddef>

QUILL_DEFINE_TYPE_RECORD(Math::ColorRGBA, nullptr, false)
QUILL_DEFINE_TYPE_RECORD(Math::Matrix2, nullptr, false)
QUILL_DEFINE_TYPE_RECORD(Math::Matrix3, nullptr, false)
QUILL_DEFINE_TYPE_RECORD(Math::Matrix4, nullptr, false)
QUILL_DEFINE_TYPE_RECORD(Math::Point4, nullptr, false)
QUILL_DEFINE_TYPE_RECORD(Math::SphericalCoordinate, nullptr, false)
QUILL_DEFINE_TYPE_RECORD(Math::Vector2, nullptr, false)
QUILL_DEFINE_TYPE_RECORD(Math::Vector3, nullptr, false)
QUILL_DEFINE_TYPE_RECORD(Math::Vector4, nullptr, false)

namespace
{
// What a record-made value is when no source is given. Matrices start as all zeros, not as
// the identity; points and colours have w and alpha 1.
template <typename T> T RecordDefault()
{
    return T();
}
template <> Math::Matrix4 RecordDefault<Math::Matrix4>()
{
    return Math::Matrix4(true);
}

template <typename T> void* ConstructValue(void* destination, const void* source)
{
    if (!destination)
        return nullptr;
    return new (destination) T(source ? *static_cast<const T*>(source) : RecordDefault<T>());
}

template <typename T> void SetValueOperations()
{
    TypeRecord& record = TypeRecordOf<T>();
    record.SetConstruct(ConstructValue<T>);
    record.SetDestroy(DestroyInPlace<T>);
    record.SetAssign(AssignCopy<T>);
}

template <typename T> void RegisterFloatMember(const char* key, std::size_t offset)
{
    RegisterMember<T>(key, static_cast<u32>(offset), TypeRecordOf<f32>());
}

// Matrices keep their elements row by row; the member names say row and column.
constexpr const char* MatrixElementNames[] = {"m00", "m01", "m02", "m03", "m10", "m11",
                                              "m12", "m13", "m20", "m21", "m22", "m23",
                                              "m30", "m31", "m32", "m33"};
constexpr std::size_t Matrix4Size = 4;
} // namespace

void RegisterMetaVector2()
{
    using Math::Vector2;
    SetValueOperations<Vector2>();
    RegisterFloatMember<Vector2>("x", offsetof(Vector2, x));
    RegisterFloatMember<Vector2>("y", offsetof(Vector2, y));
}

void RegisterMetaVector3()
{
    using Math::Vector3;
    SetValueOperations<Vector3>();
    RegisterFloatMember<Vector3>("x", offsetof(Vector3, x));
    RegisterFloatMember<Vector3>("y", offsetof(Vector3, y));
    RegisterFloatMember<Vector3>("z", offsetof(Vector3, z));
}

void RegisterMetaVector4()
{
    using Math::Vector4;
    SetValueOperations<Vector4>();
    RegisterFloatMember<Vector4>("x", offsetof(Vector4, x));
    RegisterFloatMember<Vector4>("y", offsetof(Vector4, y));
    RegisterFloatMember<Vector4>("z", offsetof(Vector4, z));
    RegisterFloatMember<Vector4>("w", offsetof(Vector4, w));
}

void RegisterMetaPoint4()
{
    using Math::Point4;
    SetValueOperations<Point4>();
    RegisterFloatMember<Point4>("x", offsetof(Point4, x));
    RegisterFloatMember<Point4>("y", offsetof(Point4, y));
    RegisterFloatMember<Point4>("z", offsetof(Point4, z));
    RegisterFloatMember<Point4>("w", offsetof(Point4, w));
}

void RegisterMetaColorRGBA()
{
    using Math::ColorRGBA;
    SetValueOperations<ColorRGBA>();
    RegisterFloatMember<ColorRGBA>("r", offsetof(ColorRGBA, r));
    RegisterFloatMember<ColorRGBA>("g", offsetof(ColorRGBA, g));
    RegisterFloatMember<ColorRGBA>("b", offsetof(ColorRGBA, b));
    RegisterFloatMember<ColorRGBA>("a", offsetof(ColorRGBA, a));
}

void RegisterMetaSphericalCoordinate()
{
    SetValueOperations<Math::SphericalCoordinate>();
}

void RegisterMetaMatrix2()
{
    using Math::Matrix2;
    SetValueOperations<Matrix2>();
    RegisterFloatMember<Matrix2>("m00", offsetof(Matrix2, m00));
    RegisterFloatMember<Matrix2>("m01", offsetof(Matrix2, m01));
    RegisterFloatMember<Matrix2>("m10", offsetof(Matrix2, m10));
    RegisterFloatMember<Matrix2>("m11", offsetof(Matrix2, m11));
}

void RegisterMetaMatrix3()
{
    using Math::Matrix3;
    SetValueOperations<Matrix3>();
    RegisterFloatMember<Matrix3>("m00", offsetof(Matrix3, m00));
    RegisterFloatMember<Matrix3>("m01", offsetof(Matrix3, m01));
    RegisterFloatMember<Matrix3>("m02", offsetof(Matrix3, m02));
    RegisterFloatMember<Matrix3>("m10", offsetof(Matrix3, m10));
    RegisterFloatMember<Matrix3>("m11", offsetof(Matrix3, m11));
    RegisterFloatMember<Matrix3>("m12", offsetof(Matrix3, m12));
    RegisterFloatMember<Matrix3>("m20", offsetof(Matrix3, m20));
    RegisterFloatMember<Matrix3>("m21", offsetof(Matrix3, m21));
    RegisterFloatMember<Matrix3>("m22", offsetof(Matrix3, m22));
}

void RegisterMetaMatrix4()
{
    using Math::Matrix4;
    SetValueOperations<Matrix4>();
    for (std::size_t index = 0; index < Matrix4Size * Matrix4Size; ++index)
        RegisterFloatMember<Matrix4>(MatrixElementNames[index],
                                     offsetof(Matrix4, m) + index * sizeof(f32));
}
