#include "Core/Reflection/MetaTestClass.h"
#include "Core/Reflection/TypeRegistry.h"
#include <cstddef>

QUILL_DEFINE_TYPE_RECORD(MetaTestClass, nullptr, false)

namespace
{
// The editor range of x is deliberately inverted (minimum above maximum): the record shows that
// ranges are stored as given, not sorted.
constexpr f32 XMinimum = 15.0f;
constexpr f32 XMaximum = 0.0f;
constexpr f32 XStep = 3.0f;
} // namespace

void RegisterMetaTestClass()
{
    TypeRecord& record = TypeRecordOf<MetaTestClass>();
    // MetaTestClass() value-initialises, so a record-made object is zero-filled.
    record.SetConstruct(ConstructDefaultOrCopy<MetaTestClass>);
    record.SetDestroy(DestroyInPlace<MetaTestClass>);
    record.SetAssign(AssignCopy<MetaTestClass>);

    RegisterMember<MetaTestClass>("x", offsetof(MetaTestClass, x), TypeRecordOf<s32>());
    RenameMember<MetaTestClass>("x", "X__RENAMED");
    TypeMember& x = record.GetMember("x");
    x.SetRange(XMinimum, XMaximum);
    x.SetStep(XStep);

    RegisterMember<MetaTestClass>("y", offsetof(MetaTestClass, y), TypeRecordOf<f32>());
    RenameMember<MetaTestClass>("y", "Y__RENAMED");

    record.AddEnumValue("firstValue", 0);
    record.AddEnumValue("secondValue", -100);
    record.AddEnumValue("thirdValue", 1);
    record.AddEnumValue("lastValue", 2);
}
