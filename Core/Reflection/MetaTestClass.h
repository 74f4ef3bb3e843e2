#pragma once
// A small value type whose record exercises what the registry offers beyond plain members:
// relabelled members, editor ranges and steps, and named constants. Nothing else uses it.
#include "Core/Reflection/TypeRecord.h"

struct MetaTestClass
{
    s32 x;
    f32 y;
};

QUILL_DECLARE_TYPE_RECORD(MetaTestClass)

// Sets the operations, members, labels, ranges and enumerators of MetaTestClass's record.
void RegisterMetaTestClass();
