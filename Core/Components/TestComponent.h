#pragma once
// A component that exists to exercise the component machinery: the factory creates it by name
// from pool 0, the reflected-type registry describes its five test_* members. It does nothing
// at run time and registers with no system.
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include "Math/Types.h"
#include <string>

template <typename Owner> struct MemberTable;

class TestComponent : public GameObjectComponent
{
public:
    TestComponent();

    static std::string GetTypeName() { return "TestComponent"; }
    static u32 GetSize() { return static_cast<u32>(sizeof(TestComponent)); }
    // Construct, destroy and assign operations and the five reflected test_* members.
    static void RegisterMembers();
    // The reflected members; none is part of the written form.
    static const MemberTable<TestComponent>& Members();

    u32 GetType() const override;
    std::string GetName() const override { return GetTypeName(); }
    void Shutdown() override {}
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;
    void HandleMessage(Message*) override {}

    s32 test_s32;
    u32 test_u32;
    f32 test_f32;
    f64 test_double;
    bool test_bool;
};

QUILL_DECLARE_TYPE_RECORD(TestComponent)
