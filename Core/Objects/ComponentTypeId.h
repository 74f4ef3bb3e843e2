#pragma once
// The id a component class is stored under in its object's component list, known without an
// instance: the hash of the class's type name, or, for a member of a family, the family's id
// (family members answer their family's id from GetType). The base of a family names itself,
//
//     using ComponentFamily = AbilityComponent;
//
// and its members inherit the name. Each class hashes its name once, on first use.
//
// QUILL_COMPONENT_TYPE(Class), written once in the public part of a component class, declares
// the class's type members in one place:
//
//     static const std::string& GetTypeName();   // "Class", exactly the class's own name
//     static u32 GetSize();                      // sizeof(Class)
//     u32 GetType() const override;              // ComponentTypeId<Class>(): the family id
//                                                // for a family member
//     const std::string& GetName() const override;  // GetTypeName()
//
// The type name is the spelling used by object files, scripts, logs and the type-id hash, so a
// class whose name there differs from its C++ name, or whose GetType or GetName answers anything
// else, writes these members by hand.
#include "Core/Reflection/HashTypeName.h"
#include "Math/Types.h"
#include <string>
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

#define QUILL_COMPONENT_TYPE(Type)                                                                 \
    static const std::string& GetTypeName()                                                        \
    {                                                                                              \
        static const std::string name = #Type;                                                     \
        return name;                                                                               \
    }                                                                                              \
    static u32 GetSize()                                                                           \
    {                                                                                              \
        return static_cast<u32>(sizeof(Type));                                                     \
    }                                                                                              \
    u32 GetType() const override                                                                   \
    {                                                                                              \
        return ComponentTypeId<Type>();                                                            \
    }                                                                                              \
    const std::string& GetName() const override                                                    \
    {                                                                                              \
        return GetTypeName();                                                                      \
    }
