#pragma once
// Run-time descriptions of types, read by the editing tools to build their property bars.
//
// Conventions:
// - Every registered type has exactly one TypeRecord, reached through TypeRecordOf<T>(). The
//   record is a function-local static created on first use; creating it enters it into the
//   registry under its full name with namespaces ("Math::Vector3", "s32"). A name the engine
//   has no class for gets a static TypeRecord built directly, with size 0, in its subsystem's
//   registration function.
// - Records start with no operations and no members. Explicit registration functions, called in
//   a fixed order by InitializeTypeRegistry (TypeRegistry.h), fill them once; nothing registers
//   itself from a static initialiser.
// - A member keeps the key it was registered under; its name is only the label the editor shows.
// - Members are kept in registration order. The serializer does not use the registry.
// - Main thread only; nothing here is locked.
#include "Math/Types.h"
#include <cstddef>
#include <map>
#include <new>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class TypeRecord;

// The editor's type codes, kept as plain integers so that this layer needs no editor headers.
namespace TweakType
{
constexpr s32 Undefined = 0;
constexpr s32 Bool8 = 2;
constexpr s32 Char = 5;
constexpr s32 Int8 = 6;
constexpr s32 UInt8 = 7;
constexpr s32 Int16 = 8;
constexpr s32 UInt16 = 9;
constexpr s32 Int32 = 10;
constexpr s32 UInt32 = 11;
constexpr s32 Float = 12;
} // namespace TweakType

// One reflected member: where it lies in the owning object, its type and its editor range.
class TypeMember
{
public:
    // Editor defaults: step 1, range from the smallest positive normalised float to the largest.
    static constexpr f32 DefaultStep = 1.0f;
    static constexpr f32 DefaultMin = 1.17549435e-38f;
    static constexpr f32 DefaultMax = 3.40282347e+38f;

    TypeMember(const std::string& name, u32 offset, const TypeRecord* type);

    // The label the editor shows; starts as the registration key.
    const std::string& GetName() const { return m_name; }
    void SetName(const std::string& name) { m_name = name; }
    u32 GetOffset() const { return m_offset; }
    const TypeRecord* GetType() const { return m_type; }
    f32 GetStep() const { return m_step; }
    f32 GetMin() const { return m_min; }
    f32 GetMax() const { return m_max; }
    void SetRange(f32 min, f32 max);
    void SetStep(f32 step) { m_step = step; }

private:
    std::string m_name;
    u32 m_offset;
    const TypeRecord* m_type;
    f32 m_step;
    f32 m_min;
    f32 m_max;
};

class TypeRecord
{
public:
    // With a source: copy-constructs it into the destination memory; with a null source:
    // default-constructs there. A null destination does nothing. Returns the destination.
    using ConstructFunction = void* (*)(void* destination, const void* source);
    // Ends the object's life in place without freeing its memory.
    using DestroyFunction = void (*)(void* object);
    using AssignFunction = void (*)(void* destination, const void* source);
    using MemberList = std::vector<std::pair<std::string, TypeMember>>;
    using EnumeratorMap = std::unordered_map<std::string, s32>;

    // Copies the base's members as they stand now and enters the record into the registry,
    // replacing an earlier record of the same name.
    TypeRecord(const std::string& name, u32 size, const TypeRecord* base, bool isPod);
    // Leaves the registry if the registry still names this record.
    ~TypeRecord();
    TypeRecord(const TypeRecord&) = delete;
    TypeRecord& operator=(const TypeRecord&) = delete;

    void SetConstruct(ConstructFunction construct) { m_construct = construct; }
    void SetDestroy(DestroyFunction destroy) { m_destroy = destroy; }
    void SetAssign(AssignFunction assign) { m_assign = assign; }
    // Null while the type's registration has not set them.
    ConstructFunction GetConstruct() const { return m_construct; }
    DestroyFunction GetDestroy() const { return m_destroy; }
    AssignFunction GetAssign() const { return m_assign; }

    // A key that is already present keeps its member; the new one is dropped.
    void AddMember(const std::string& key, const TypeMember& member);
    // Throws std::out_of_range for a key this record does not hold: callers only ask for keys
    // they registered themselves.
    TypeMember& GetMember(const std::string& key);
    const TypeMember& GetMember(const std::string& key) const;
    std::size_t GetMemberCount() const { return m_members.size(); }
    MemberList::const_iterator MembersBegin() const { return m_members.begin(); }
    MemberList::const_iterator MembersEnd() const { return m_members.end(); }

    void AddEnumValue(const std::string& name, s32 value);
    const EnumeratorMap& GetEnumerators() const { return m_enumerators; }

    const std::string& GetName() const { return m_name; }
    u32 GetSize() const { return m_size; }
    const TypeRecord* GetBase() const { return m_base; }
    bool IsPod() const { return m_isPod; }
    // The editor's code for the type; TweakType::Undefined while it has none.
    s32 GetTweakBarType() const { return m_tweakType; }
    void SetTweakBarType(s32 code) { m_tweakType = code; }

private:
    ConstructFunction m_construct;
    DestroyFunction m_destroy;
    AssignFunction m_assign;
    std::string m_name;
    u32 m_size;
    const TypeRecord* m_base;
    bool m_isPod;
    s32 m_tweakType;
    MemberList m_members;
    EnumeratorMap m_enumerators;
};

// The registry: every live record by name, iterated in byte-wise name order.
using TypeRegistryMap = std::map<std::string, TypeRecord*>;
TypeRegistryMap::const_iterator TypeRegistryBegin();
TypeRegistryMap::const_iterator TypeRegistryEnd();

// The record of T. Each registered type provides a specialisation through the two macros below:
// the declaration in a header next to the type's other reflection code, the definition in
// exactly one source file.
template <typename T> TypeRecord& TypeRecordOf();

// Whether T's header declares its record; the declaration macro sets it.
template <typename T> inline constexpr bool HasTypeRecord = false;

#define QUILL_DECLARE_TYPE_RECORD(Type)                                                            \
    template <> TypeRecord& TypeRecordOf<Type>();                                                  \
    template <> inline constexpr bool HasTypeRecord<Type> = true;

// baseRecord is a TypeRecord pointer or nullptr; the name is the type's spelling as written.
#define QUILL_DEFINE_TYPE_RECORD(Type, baseRecord, isPod)                                          \
    template <> TypeRecord& TypeRecordOf<Type>()                                                   \
    {                                                                                              \
        static TypeRecord record(#Type, static_cast<u32>(sizeof(Type)), baseRecord, isPod);        \
        return record;                                                                             \
    }

// Adds a member with the editor defaults to T's record, under the key name.
template <typename T>
void RegisterMember(const std::string& name, u32 offset, const TypeRecord& memberType)
{
    TypeRecordOf<T>().AddMember(name, TypeMember(name, offset, &memberType));
}

// Changes the label of T's member key; the key stays.
template <typename T> void RenameMember(const std::string& key, const std::string& name)
{
    TypeRecordOf<T>().GetMember(key).SetName(name);
}

// Ready-made operations for types whose default and copy constructors are what the record
// should do (primitives are value-initialised, that is zero-filled).
template <typename T> void* ConstructDefaultOrCopy(void* destination, const void* source)
{
    if (!destination)
        return nullptr;
    if (source)
        return new (destination) T(*static_cast<const T*>(source));
    return new (destination) T();
}

template <typename T> void DestroyInPlace(void* object)
{
    static_cast<T*>(object)->~T();
}

template <typename T> void AssignCopy(void* destination, const void* source)
{
    *static_cast<T*>(destination) = *static_cast<const T*>(source);
}
