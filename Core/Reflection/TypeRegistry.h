#pragma once
// The built-in contents of the reflected-type registry, the subsystems' record registrations and
// the one call that fills it.
//
// The built-in records are created in this order, so that every base exists before the records
// that name it: the twelve primitive types, MetaTestClass, the math value types (alphabetical).
// InitializeTypeRegistry then sets the primitive operations and editor codes and calls each
// built-in registration function in a fixed order. Component classes declare their records next
// to their own code. Registering a class with the component factory adds its record
// (AddTypeRecord); a subsystem adds the records of its classes that are not created by name
// itself, and hands the registration that fills its records with members to
// AddTypeRecordRegistration. InitializeTypeRegistry runs all of these after the built-in
// records, in the order they were added: a subsystem's records are made before its members are
// registered, as they must be, since a record copies its base's members when it is made (a base
// record is made by the first record that names it).
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

// Creates a subsystem's records and completes them with their operations, members and editor
// codes. It must tolerate running twice without change (registering a member key again keeps
// the first).
using TypeRecordRegistration = void (*)();

// Adds a registration for InitializeTypeRegistry to run; adding one already added does nothing,
// so a subsystem registered again (by each test's engine) keeps its place. Main thread only.
void AddTypeRecordRegistration(TypeRecordRegistration registration);

// The registration that makes T's record (and so the records of its bases).
template <typename T> void CreateTypeRecord()
{
    TypeRecordOf<T>();
}

// Adds the making of T's record for InitializeTypeRegistry, like AddTypeRecordRegistration.
template <typename T> void AddTypeRecord()
{
    AddTypeRecordRegistration(&CreateTypeRecord<T>);
}

// Creates every record and completes it with its operations, members and editor codes. Engine
// initialisation calls it once, before the first system is created; a second call changes
// nothing.
void InitializeTypeRegistry();
