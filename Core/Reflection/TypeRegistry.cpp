#include "Core/Reflection/TypeRegistry.h"
#include "Core/Reflection/MathTypeRecords.h"
#include "Core/Reflection/MetaTestClass.h"
#include <algorithm>
#include <vector>

QUILL_DEFINE_TYPE_RECORD(bool, nullptr, true)
QUILL_DEFINE_TYPE_RECORD(c08, nullptr, true)
QUILL_DEFINE_TYPE_RECORD(s08, nullptr, true)
QUILL_DEFINE_TYPE_RECORD(u08, nullptr, true)
QUILL_DEFINE_TYPE_RECORD(s16, nullptr, true)
QUILL_DEFINE_TYPE_RECORD(u16, nullptr, true)
QUILL_DEFINE_TYPE_RECORD(s32, nullptr, true)
QUILL_DEFINE_TYPE_RECORD(u32, nullptr, true)
QUILL_DEFINE_TYPE_RECORD(s64, nullptr, true)
QUILL_DEFINE_TYPE_RECORD(u64, nullptr, true)
QUILL_DEFINE_TYPE_RECORD(f32, nullptr, true)
QUILL_DEFINE_TYPE_RECORD(f64, nullptr, true)

namespace
{
// The subsystems' registrations in the order they were added.
std::vector<TypeRecordRegistration>& Registrations()
{
    static std::vector<TypeRecordRegistration> registrations;
    return registrations;
}

// Primitive values: construct copies the source or zero-fills, destroy has nothing to end,
// assign copies. The 64-bit types have no editor code, so the editor leaves them out.
template <typename T> void CompletePrimitiveRecord(s32 tweakType)
{
    TypeRecord& record = TypeRecordOf<T>();
    record.SetConstruct(ConstructDefaultOrCopy<T>);
    record.SetDestroy(DestroyInPlace<T>);
    record.SetAssign(AssignCopy<T>);
    record.SetTweakBarType(tweakType);
}

// Touches every record in the fixed creation order. A record copies its base's members when it
// is created, so bases come first.
void CreateTypeRecords()
{
    TypeRecordOf<bool>();
    TypeRecordOf<c08>();
    TypeRecordOf<s08>();
    TypeRecordOf<u08>();
    TypeRecordOf<s16>();
    TypeRecordOf<u16>();
    TypeRecordOf<s32>();
    TypeRecordOf<u32>();
    TypeRecordOf<s64>();
    TypeRecordOf<u64>();
    TypeRecordOf<f32>();
    TypeRecordOf<f64>();
    TypeRecordOf<MetaTestClass>();
    TypeRecordOf<Math::ColorRGBA>();
    TypeRecordOf<Math::Matrix2>();
    TypeRecordOf<Math::Matrix3>();
    TypeRecordOf<Math::Matrix4>();
    TypeRecordOf<Math::Point4>();
    TypeRecordOf<Math::SphericalCoordinate>();
    TypeRecordOf<Math::Vector2>();
    TypeRecordOf<Math::Vector3>();
    TypeRecordOf<Math::Vector4>();
}
} // namespace

void AddTypeRecordRegistration(TypeRecordRegistration registration)
{
    std::vector<TypeRecordRegistration>& registrations = Registrations();
    if (registration == nullptr ||
        std::find(registrations.begin(), registrations.end(), registration) != registrations.end())
        return;
    registrations.push_back(registration);
}

void InitializeTypeRegistry()
{
    CreateTypeRecords();

    CompletePrimitiveRecord<bool>(TweakType::Bool8);
    CompletePrimitiveRecord<c08>(TweakType::Char);
    CompletePrimitiveRecord<s08>(TweakType::Int8);
    CompletePrimitiveRecord<u08>(TweakType::UInt8);
    CompletePrimitiveRecord<s16>(TweakType::Int16);
    CompletePrimitiveRecord<u16>(TweakType::UInt16);
    CompletePrimitiveRecord<s32>(TweakType::Int32);
    CompletePrimitiveRecord<u32>(TweakType::UInt32);
    CompletePrimitiveRecord<s64>(TweakType::Undefined);
    CompletePrimitiveRecord<u64>(TweakType::Undefined);
    CompletePrimitiveRecord<f32>(TweakType::Float);
    CompletePrimitiveRecord<f64>(TweakType::Undefined);

    RegisterMetaVector2();
    RegisterMetaVector3();
    RegisterMetaVector4();
    RegisterMetaPoint4();
    RegisterMetaColorRGBA();
    RegisterMetaSphericalCoordinate();
    RegisterMetaMatrix2();
    RegisterMetaMatrix3();
    RegisterMetaMatrix4();
    RegisterMetaTestClass();

    for (TypeRecordRegistration registration : Registrations())
        registration();
}
