#pragma once
// The fixed contents of the reflected-type registry and the one call that fills it.
//
// Records are created in this order, so that every base exists before the records that name
// it: the twelve primitive types, MetaTestClass, the math value types (alphabetical), and then
// the component classes. InitializeTypeRegistry then sets the primitive operations and editor
// codes and calls each registration function in a fixed order. Component classes declare their
// records next to their own code and are added to that order as they arrive.
#include "Core/Reflection/TypeRecord.h"

namespace Math
{
class ColorRGBA;
struct Matrix2;
struct Matrix3;
class Matrix4;
class Point4;
class SphericalCoordinate;
class Vector2;
class Vector3;
class Vector4;
} // namespace Math

// Primitive records: no base, plain data, no members.
QUILL_DECLARE_TYPE_RECORD(bool)
QUILL_DECLARE_TYPE_RECORD(c08)
QUILL_DECLARE_TYPE_RECORD(s08)
QUILL_DECLARE_TYPE_RECORD(u08)
QUILL_DECLARE_TYPE_RECORD(s16)
QUILL_DECLARE_TYPE_RECORD(u16)
QUILL_DECLARE_TYPE_RECORD(s32)
QUILL_DECLARE_TYPE_RECORD(u32)
QUILL_DECLARE_TYPE_RECORD(s64)
QUILL_DECLARE_TYPE_RECORD(u64)
QUILL_DECLARE_TYPE_RECORD(f32)
QUILL_DECLARE_TYPE_RECORD(f64)

// Math value records: no base, not plain data, f32 members named after the fields.
QUILL_DECLARE_TYPE_RECORD(Math::ColorRGBA)
QUILL_DECLARE_TYPE_RECORD(Math::Matrix2)
QUILL_DECLARE_TYPE_RECORD(Math::Matrix3)
QUILL_DECLARE_TYPE_RECORD(Math::Matrix4)
QUILL_DECLARE_TYPE_RECORD(Math::Point4)
QUILL_DECLARE_TYPE_RECORD(Math::SphericalCoordinate)
QUILL_DECLARE_TYPE_RECORD(Math::Vector2)
QUILL_DECLARE_TYPE_RECORD(Math::Vector3)
QUILL_DECLARE_TYPE_RECORD(Math::Vector4)

// Creates every record and completes it with its operations, members and editor codes. Engine
// initialisation calls it once, before the first system is created; a second call changes
// nothing.
void InitializeTypeRegistry();
