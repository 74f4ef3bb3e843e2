#pragma once
// The id a component class is stored under in its object's component list, known without an
// instance: the hash of the class's type name, or, for a member of a family, the family's id
// (family members answer their family's id from GetType). A member names its family base with
//
//     using ComponentFamily = LightComponent;
//
// and the base itself declares nothing. Each class hashes its name once, on first use.
#include "Core/Reflection/HashTypeName.h"
#include "Math/Types.h"
#include <type_traits>

namespace ComponentTypeIdDetail
{
template <typename T, typename = void> struct FamilyOf
{
    using Type = T;
};
template <typename T> struct FamilyOf<T, std::void_t<typename T::ComponentFamily>>
{
    using Type = typename T::ComponentFamily;
};
} // namespace ComponentTypeIdDetail

template <typename T> u32 ComponentTypeId()
{
    using Family = typename ComponentTypeIdDetail::FamilyOf<T>::Type;
    static const u32 typeId = HashTypeName(Family::GetTypeName().c_str());
    return typeId;
}
