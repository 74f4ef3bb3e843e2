#pragma once
// A component's members, declared once in one table, from which its type record, its XML
// reading and writing and its editor entries are all derived: a member added to the table
// cannot go missing from the loader, the saver or the editor.
//
// Conventions:
// - Table order is the order of the written form. ReadMembers and WriteMembers walk the members
//   flagged Written in that order; the table's ReadRule says whether elements are taken by
//   position (the empty member name: tags are not checked) or only under their own tag.
// - A member is written under its tag, which starts as the field's name; the empty tag writes
//   the value type's default tag (an "unnamed" element).
// - The codec follows the field's type (Xml/ValueXml.h): a Math::Point4 reads with
//   w = 1, a Math::Vector4 with w = 0, a quaternion as Euler degrees, a colour as 0 to 255.
// - RegisterTableMembers adds the members flagged Reflected to the owner's type record in table
//   order, keyed by the field's name, at the field's offset.
// - The editor walk visits the members that have an editor label in their own order
//   (EditorField::order), which may differ from the written order.
// - Defaults stay in the owner's constructor: reading overwrites only what the file holds.
// - A derived component's table extends its base's (MemberLinks::Extending): the base's rows are
//   read and written first, then the derived rows, and the editor walk takes both. The base's
//   rows stay in the base's type record only.
// - A row may name a hook run once it is read (MemberEntry::Then: filing, sizing a pool), and a
//   table one run once all its rows are read (MemberLinks::AfterRead: a clamp).
// - A table is constant data built at compile time: nothing registers itself at start-up and
//   nothing here is locked.
//
// Declaring a table inside a static member function of the component keeps private fields
// reachable:
//
//     const MemberTable<LampComponent>& LampComponent::Members()
//     {
//         QUILL_MEMBER_TABLE(table, LampComponent, ReadRule::ByPosition,
//             QUILL_MEMBER(LampComponent, colour, MemberFlag::Written),
//             QUILL_MEMBER(LampComponent, radius, MemberFlag::Reflected | MemberFlag::Written));
//         return table;
//     }
#include "Core/Reflection/TypeRecord.h"
#include "Math/ColorRGBA.h"
#include "Math/Point4.h"
#include "Math/Quaternion.h"
#include "Math/Types.h"
#include "Math/Vector2.h"
#include "Math/Vector3.h"
#include "Math/Vector4.h"
#include "Xml/ValueXml.h"
#include <algorithm>
#include <cassert>
#include <cstddef>
#include <iterator>
#include <type_traits>
#include <vector>

namespace Math
{
class Matrix4;
} // namespace Math

namespace MemberFlag
{
// Described by the owner's type record (what reflection and the editor's struct types see).
constexpr u32 Reflected = 1u << 0;
// Belongs to the owner's written form: read by Deserialize and written by Serialize.
constexpr u32 Written = 1u << 1;
} // namespace MemberFlag

enum class ReadRule
{
    ByPosition, // elements in order whatever their tags
    ByTag,      // an element is read only when its tag is the member's tag
};

// How the editor shows one member: a labelled entry of consecutive floats with its limits.
struct EditorField
{
    static constexpr s32 DefaultPrecision = 1;

    const char* label = nullptr; // null: the member has no editor entry
    f32 min = 0.0f;
    f32 max = 1.0f;
    f32 step = 1.0f;
    s32 precision = DefaultPrecision;
    u32 order = 0; // position among the owner's editor entries
    // The entry also shows one float, the mean of the three, whose setting sets all three.
    bool uniformScale = false;
};

// What the editor walk hands its visitor for one member.
struct EditorMember
{
    const EditorField& field;
    f32* floats;    // the field's floats in storage order (a quaternion's w first)
    u32 floatCount; // 1 (a scalar), 2, 3 or 4
};

namespace MemberTableDetail
{
template <typename> struct FieldPointer;
template <typename Owner, typename Field> struct FieldPointer<Field Owner::*>
{
    using OwnerType = Owner;
    using FieldType = Field;
};

// Value types that have a type record (TypeRegistry.h); only those can be reflected.
template <typename T> struct HasTypeRecord : std::bool_constant<std::is_arithmetic_v<T>>
{
};
template <> struct HasTypeRecord<Math::ColorRGBA> : std::true_type
{
};
template <> struct HasTypeRecord<Math::Matrix4> : std::true_type
{
};
template <> struct HasTypeRecord<Math::Point4> : std::true_type
{
};
template <> struct HasTypeRecord<Math::Vector2> : std::true_type
{
};
template <> struct HasTypeRecord<Math::Vector3> : std::true_type
{
};
template <> struct HasTypeRecord<Math::Vector4> : std::true_type
{
};

// Value types the editor shows as consecutive floats: how many, and the first in storage order.
// Points and directions show x, y and z; their w is fixed by what they are.
template <typename T> inline constexpr u32 EditorFloatCount = 0;
template <> inline constexpr u32 EditorFloatCount<f32> = 1;
template <> inline constexpr u32 EditorFloatCount<Math::Vector2> = 2;
template <> inline constexpr u32 EditorFloatCount<Math::Vector3> = 3;
template <> inline constexpr u32 EditorFloatCount<Math::Vector4> = 3;
template <> inline constexpr u32 EditorFloatCount<Math::Point4> = 3;
template <> inline constexpr u32 EditorFloatCount<Math::Quaternion> = 4;
template <> inline constexpr u32 EditorFloatCount<Math::ColorRGBA> = 4;
inline f32* FirstFloat(f32& value)
{
    return &value;
}
inline f32* FirstFloat(Math::Vector2& value)
{
    return &value.x;
}
inline f32* FirstFloat(Math::Vector3& value)
{
    return &value.x;
}
inline f32* FirstFloat(Math::Vector4& value)
{
    return &value.x;
}
inline f32* FirstFloat(Math::Quaternion& value)
{
    return &value.w;
}
inline f32* FirstFloat(Math::ColorRGBA& value)
{
    return &value.r;
}

template <auto Field, typename Owner>
void ReadField(Serializer::XmlReader& reader, Owner& owner, const char* name)
{
    Serializer::ReadValue(reader, owner.*Field, name);
}

template <auto Field, typename Owner>
void WriteField(Serializer::XmlWriter& writer, const Owner& owner, const char* name)
{
    Serializer::WriteValue(writer, owner.*Field, name);
}

template <auto Field, typename Owner> f32* FieldFloats(Owner& owner)
{
    return FirstFloat(owner.*Field);
}
} // namespace MemberTableDetail

// One row of a member table; made by QUILL_MEMBER, completed by Tag and Edit.
template <typename Owner> struct MemberEntry
{
    const char* key; // the field's name: the type record's key
    const char* tag; // the element's name in the written form
    u32 offset;
    u32 flags;
    u32 editorFloatCount;
    TypeRecord& (*type)(); // null for value types without a record
    void (*read)(Serializer::XmlReader& reader, Owner& owner, const char* name);
    void (*write)(Serializer::XmlWriter& writer, const Owner& owner, const char* name);
    f32* (*floats)(Owner& owner); // null for value types the editor cannot show
    EditorField editor;
    void (*afterRead)(Owner& owner); // run once the row is read; null: nothing

    // The same member written under another tag ("" for the type's default tag).
    constexpr MemberEntry Tag(const char* name) const
    {
        MemberEntry entry = *this;
        entry.tag = name;
        return entry;
    }
    // The same member with an editor entry.
    constexpr MemberEntry Edit(const EditorField& field) const
    {
        MemberEntry entry = *this;
        entry.editor = field;
        return entry;
    }
    // The same member with a hook run once it is read.
    constexpr MemberEntry Then(void (*hook)(Owner& owner)) const
    {
        MemberEntry entry = *this;
        entry.afterRead = hook;
        return entry;
    }
    bool Has(u32 flag) const { return (flags & flag) != 0; }
};

// Builds an entry for the field; QUILL_MEMBER supplies the name and offset.
template <auto Field> constexpr auto DeclareMember(const char* key, u32 offset, u32 flags)
{
    using Pointer = MemberTableDetail::FieldPointer<decltype(Field)>;
    using Owner = typename Pointer::OwnerType;
    using Value = typename Pointer::FieldType;
    constexpr u32 floatCount = MemberTableDetail::EditorFloatCount<Value>;
    TypeRecord& (*type)() = nullptr;
    if constexpr (MemberTableDetail::HasTypeRecord<Value>::value)
        type = &TypeRecordOf<Value>;
    f32* (*floats)(Owner&) = nullptr;
    if constexpr (floatCount > 0)
        floats = &MemberTableDetail::FieldFloats<Field, Owner>;
    return MemberEntry<Owner>{key,
                              key,
                              offset,
                              flags,
                              floatCount,
                              type,
                              &MemberTableDetail::ReadField<Field, Owner>,
                              &MemberTableDetail::WriteField<Field, Owner>,
                              floats,
                              EditorField{},
                              nullptr};
}

template <typename Owner> struct MemberTable;

template <typename Owner>
void ReadMembers(Serializer::XmlReader& reader, Owner& owner, const MemberTable<Owner>& table);
template <typename Owner>
void WriteMembers(Serializer::XmlWriter& writer, const Owner& owner,
                  const MemberTable<Owner>& table);
template <typename Owner>
void CollectEditorMembers(Owner& owner, const MemberTable<Owner>& table,
                          std::vector<EditorMember>& members);

namespace MemberTableDetail
{
template <typename Owner, typename Base> void ReadBase(Serializer::XmlReader& reader, Owner& owner)
{
    ReadMembers(reader, static_cast<Base&>(owner), Base::Members());
}

template <typename Owner, typename Base>
void WriteBase(Serializer::XmlWriter& writer, const Owner& owner)
{
    WriteMembers(writer, static_cast<const Base&>(owner), Base::Members());
}

template <typename Owner, typename Base>
void CollectBase(Owner& owner, std::vector<EditorMember>& members)
{
    CollectEditorMembers(static_cast<Base&>(owner), Base::Members(), members);
}
} // namespace MemberTableDetail

// What a table adds to its rows: the base's table it extends and the hook run after reading.
template <typename Owner> struct MemberLinks
{
    void (*readBase)(Serializer::XmlReader& reader, Owner& owner) = nullptr;
    void (*writeBase)(Serializer::XmlWriter& writer, const Owner& owner) = nullptr;
    void (*collectBase)(Owner& owner, std::vector<EditorMember>& members) = nullptr;
    void (*afterRead)(Owner& owner) = nullptr;

    // Extends Base's table (Base::Members()), whose rows come before this table's.
    template <typename Base> static constexpr MemberLinks Extending()
    {
        static_assert(std::is_base_of_v<Base, Owner>, "a table extends a base class's table");
        MemberLinks links;
        links.readBase = &MemberTableDetail::ReadBase<Owner, Base>;
        links.writeBase = &MemberTableDetail::WriteBase<Owner, Base>;
        links.collectBase = &MemberTableDetail::CollectBase<Owner, Base>;
        return links;
    }
    // The same links with a hook run once every row (the base's too) is read.
    constexpr MemberLinks AfterRead(void (*hook)(Owner& owner)) const
    {
        MemberLinks links = *this;
        links.afterRead = hook;
        return links;
    }
};

template <typename Owner> struct MemberTable
{
    const MemberEntry<Owner>* entries;
    std::size_t count;
    ReadRule readRule;
    MemberLinks<Owner> links;

    const MemberEntry<Owner>* begin() const { return entries; }
    const MemberEntry<Owner>* end() const { return entries + count; }
};

// A component's classes are polymorphic but use single inheritance without virtual bases, so
// their fields lie at fixed offsets, which GCC and Clang give through offsetof (with a warning
// that the table macro silences for its own lines only).
#define QUILL_MEMBER(Owner, field, flags)                                                          \
    DeclareMember<&Owner::field>(#field, static_cast<u32>(offsetof(Owner, field)), flags)

// Defines name as a constant MemberTable<Owner> over the entries given.
#define QUILL_MEMBER_TABLE(name, Owner, readRule, ...)                                             \
    QUILL_LINKED_MEMBER_TABLE(name, Owner, readRule, MemberLinks<Owner>{}, __VA_ARGS__)

// The same with links: MemberLinks<Owner>::Extending<Base>(), optionally .AfterRead(hook).
#define QUILL_LINKED_MEMBER_TABLE(name, Owner, readRule, links, ...)                               \
    _Pragma("GCC diagnostic push") _Pragma(                                                        \
        "GCC diagnostic ignored \"-Winvalid-offsetof\"") static constexpr MemberEntry<Owner>       \
        name##Entries[] = {__VA_ARGS__};                                                           \
    _Pragma("GCC diagnostic pop") static constexpr MemberTable<Owner> name                         \
    {                                                                                              \
        name##Entries, std::size(name##Entries), readRule, links                                   \
    }

// Adds the Reflected members to Owner's type record, in table order; a base's rows belong to the
// base's record.
template <typename Owner> void RegisterTableMembers(const MemberTable<Owner>& table)
{
    for (const MemberEntry<Owner>& entry : table)
    {
        if (!entry.Has(MemberFlag::Reflected))
            continue;
        assert(entry.type != nullptr && "a reflected member needs a value type with a record");
        if (entry.type != nullptr)
            RegisterMember<Owner>(entry.key, entry.offset, entry.type());
    }
}

// Reads the base's members, then the Written members in table order under the table's read
// rule, running each row's hook after it and the table's after them all; a member the file does
// not hold keeps its value.
template <typename Owner>
void ReadMembers(Serializer::XmlReader& reader, Owner& owner, const MemberTable<Owner>& table)
{
    if (table.links.readBase != nullptr)
        table.links.readBase(reader, owner);
    for (const MemberEntry<Owner>& entry : table)
    {
        if (!entry.Has(MemberFlag::Written))
            continue;
        entry.read(reader, owner, table.readRule == ReadRule::ByTag ? entry.tag : "");
        if (entry.afterRead != nullptr)
            entry.afterRead(owner);
    }
    if (table.links.afterRead != nullptr)
        table.links.afterRead(owner);
}

// Writes the base's members, then the Written members in table order, each under its tag.
template <typename Owner>
void WriteMembers(Serializer::XmlWriter& writer, const Owner& owner,
                  const MemberTable<Owner>& table)
{
    if (table.links.writeBase != nullptr)
        table.links.writeBase(writer, owner);
    for (const MemberEntry<Owner>& entry : table)
    {
        if (entry.Has(MemberFlag::Written))
            entry.write(writer, owner, entry.tag);
    }
}

// Appends the base's members with an editor label, then this table's, in table order.
template <typename Owner>
void CollectEditorMembers(Owner& owner, const MemberTable<Owner>& table,
                          std::vector<EditorMember>& members)
{
    if (table.links.collectBase != nullptr)
        table.links.collectBase(owner, members);
    for (const MemberEntry<Owner>& entry : table)
    {
        if (entry.editor.label == nullptr)
            continue;
        assert(entry.floats != nullptr && "the editor shows only floats and float vectors");
        if (entry.floats != nullptr)
            members.push_back(
                EditorMember{entry.editor, entry.floats(owner), entry.editorFloatCount});
    }
}

// Calls visit(const EditorMember&) once per member with an editor label (the base's included), in
// editor order. The editor's property group builds its entries from these; tests record them.
template <typename Owner, typename Visitor>
void WalkEditorMembers(Owner& owner, const MemberTable<Owner>& table, Visitor&& visit)
{
    std::vector<EditorMember> members;
    CollectEditorMembers(owner, table, members);
    std::vector<const EditorMember*> edited;
    edited.reserve(members.size());
    for (const EditorMember& member : members)
        edited.push_back(&member);
    std::stable_sort(edited.begin(), edited.end(),
                     [](const EditorMember* a, const EditorMember* b)
                     { return a->field.order < b->field.order; });
    for (const EditorMember* member : edited)
        visit(*member);
}
