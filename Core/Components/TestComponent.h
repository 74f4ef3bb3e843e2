#pragma once
// A component that exists to exercise the component machinery: the factory creates it by name
// from pool 0, the reflected-type registry describes its five test_* members, and its reading
// and writing run every list and attribute reader and writer of the XML layer. It does nothing
// at run time and registers with no system.
//
// Reading and writing are deliberately not each other's inverse: the sized arrays, the
// attribute list, the test_* values and the text are read but not written, and the object-id
// list is written (each listed object through its own Serialize) but never read.
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include "Math/Types.h"
#include <string>
#include <vector>

template <typename Owner> struct MemberTable;

class TestComponent : public GameObjectComponent
{
public:
    TestComponent();

    QUILL_COMPONENT_TYPE(TestComponent)
    // Construct, destroy and assign operations and the five reflected test_* members.
    static void RegisterMembers();
    // The reflected members. None is read or written through the table: the component's own
    // reading and writing order is not symmetric, which a member table cannot express.
    static const MemberTable<TestComponent>& Members();

    void Shutdown() override {}
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;
    void HandleMessage(Message*) override {}

    // Sizes the sized arrays take when read.
    static constexpr std::size_t SmallArraySize = 1;
    static constexpr std::size_t MiddleArraySize = 3;
    static constexpr std::size_t LargeArraySize = 4;

    // Objects written with the component (each through its own Serialize), never read.
    std::vector<u32> objectIds;
    std::vector<int> ints;
    std::vector<std::string> strings;
    std::vector<std::string> moreStrings;
    std::vector<double> doubles;
    // Filled from the attributes of one element each, sized when read.
    std::vector<int> smallArray;
    std::vector<int> middleArray;
    std::vector<int> largeArray;
    // Neither read nor written.
    std::vector<int> unusedInts;
    // Every attribute of one element.
    std::vector<int> attributeInts;
    s32 test_s32;
    u32 test_u32;
    f32 test_f32;
    f64 test_double;
    bool test_bool;
    std::string text;
};

QUILL_DECLARE_TYPE_RECORD(TestComponent)
