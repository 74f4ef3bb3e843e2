#include "Physics/ColliderComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Reflection/HashTypeName.h"
#include "Physics/OwnerLookup.h"
#include "Physics/PhysicsSystem.h"
#include "Physics/RigidBodyComponent.h"
#include "Xml/PlainValueXml.h"
#include <algorithm>
#include <cmath>

QUILL_DEFINE_TYPE_RECORD(Physics::ColliderComponent, &TypeRecordOf<GameObjectComponent>(), false)

namespace Physics
{
namespace
{
// Part of a shape's size and distance from the origin by which its box is widened: far above
// float rounding (about 1e-7 of the values involved), far below any size that matters.
constexpr f32 BoundsRelativeMargin = 1e-4f;
} // namespace

ColliderComponent::ColliderComponent(u32 shapeId)
    : GameObjectComponent(true), Category(0), Mask(0), m_world(), m_shapeId(shapeId),
      m_enabled(true), m_bodyKind(NoBody), m_body(nullptr)
{
}

ColliderComponent::~ColliderComponent()
{
    if (System::PhysicsSystem* physics = System::PhysicsSystem::Instance())
        physics->RemoveCollider(this);
    if (m_body != nullptr)
        m_body->UnlinkCollider(this);
}

u32 ColliderComponent::GetType() const
{
    static const u32 typeId = HashTypeName(GetTypeName().c_str());
    return typeId;
}

void ColliderComponent::Deserialize(Serializer::XmlReader& reader)
{
    Serializer::ReadBool(reader, m_enabled, "");
    Serializer::ReadElement<unsigned int>(reader, Category, "");
    Serializer::ReadElement<unsigned int>(reader, Mask, "");
    ReadShape(reader);
}

void ColliderComponent::Serialize(Serializer::XmlWriter& writer)
{
    Serializer::WriteBool(writer, m_enabled, "enabled");
    Serializer::WriteUnsigned(writer, Category, "Category");
    Serializer::WriteUnsigned(writer, Mask, "Mask");
    WriteShape(writer);
}

void ColliderComponent::LinkBody(u32 bodyKind, RigidBodyComponent* body)
{
    // A body linked before (a rigid body, then a particle) must not keep pointing here.
    if (m_body != nullptr && m_body != body)
        m_body->UnlinkCollider(this);
    m_bodyKind = bodyKind;
    m_body = body;
}

void ColliderComponent::UnlinkRigidBody(const RigidBodyComponent* body)
{
    if (m_body == body)
        m_body = nullptr;
}

void ColliderComponent::JoinPhysics()
{
    if (System::PhysicsSystem* physics = System::PhysicsSystem::Instance())
        physics->AddCollider(this);
}

bool ColliderComponent::ReadOwnerTransform(Math::Matrix4& out) const
{
    const TransformComponent* transform = FindOwnerTransform(*this);
    if (transform == nullptr)
        return false;
    out = transform->GetTransformMatrix();
    return true;
}

ColliderComponent::BoundsKind PaddedBounds(const Math::Point4& centre, const Math::Vector4& extent,
                                           Math::Vector4& min, Math::Vector4& max)
{
    const f32 reach = std::max({std::fabs(centre.x), std::fabs(centre.y), std::fabs(centre.z)}) +
                      std::max({extent.x, extent.y, extent.z});
    const f32 pad = BoundsRelativeMargin * reach;
    min = Math::Vector4(centre.x - extent.x - pad, centre.y - extent.y - pad,
                        centre.z - extent.z - pad, 0.0f);
    max = Math::Vector4(centre.x + extent.x + pad, centre.y + extent.y + pad,
                        centre.z + extent.z + pad, 0.0f);
    const bool finite = std::isfinite(min.x) && std::isfinite(min.y) && std::isfinite(min.z) &&
                        std::isfinite(max.x) && std::isfinite(max.y) && std::isfinite(max.z);
    return finite ? ColliderComponent::BoundsKind::Bounded
                  : ColliderComponent::BoundsKind::Unbounded;
}
} // namespace Physics
