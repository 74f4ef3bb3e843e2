#pragma once
// Base of the six collider components: gives its object a shape for the physics system's
// collision detection, which reports every touching pair to both objects as a CollideMessage.
// Collisions have no physical response; the messages are the only result.
//
// Conventions:
// - Category is the set of groups the collider belongs to, Mask the set of groups whose contacts
//   it ignores (32-bit sets). A pair is not tested at all only when each side ignores the other.
// - The shape follows TransformComponent::GetTransformMatrix of its object, so a mounted object
//   collides where it is drawn; UpdateFromTransform moves it there once per physics step, and
//   collision detection sees the shape as the last update left it.
// - Written and read form, by position: the enabled flag, Category, Mask, then the shape's own
//   values (see each class).
// - Every class reports ColliderComponent's type id, so an object's collider is its first.
// Main thread only.
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include "Math/Matrix4.h"
#include "Math/Point4.h"
#include "Math/Shapes/Ray3.h"
#include <string>

namespace Math
{
class Shape;
}

namespace Physics
{
class RigidBodyComponent;

class ColliderComponent : public GameObjectComponent
{
public:
    // The shape ids, which index the collision table; 3 and 6 have no collider.
    enum ShapeId : u32
    {
        CircleShape = 1,
        AABoxShape = 2,
        SphereShape = 4,
        CapsuleShape = 5,
        PlaneShape = 7,
        HalfSpaceShape = 8,
        ShapeIdCount = 9,
    };
    // What moves the collider's object; set by the body when it is read.
    enum BodyKind : u32
    {
        NoBody = 1,
        ParticleBody = 2,
        RigidBodyKind = 4,
    };
    // How collision detection's broad phase treats the shape.
    enum class BoundsKind
    {
        Bounded,   // inside the box that GetBounds answers
        Unbounded, // tested against every other collider
        Never,     // touches nothing
    };

    explicit ColliderComponent(u32 shapeId);
    ColliderComponent(const ColliderComponent&) = delete;
    ColliderComponent& operator=(const ColliderComponent&) = delete;
    // Leaves the physics system and unlinks its rigid body.
    ~ColliderComponent() override;

    static const std::string& GetTypeName()
    {
        static const std::string name = "ColliderComponent";
        return name;
    }

    u32 GetType() const override;
    void Shutdown() override {}
    // The enabled flag, Category and Mask, then the shape (ReadShape).
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;

    // Moves the shape to its object's current transform; nothing when the object has none.
    virtual void UpdateFromTransform(f32 dt) = 0;
    // The shape's centre; for planes and half-spaces the object's position.
    virtual Math::Point4 GetCenter() const = 0;
    virtual void DrawDebug() const {}
    // Point test for picking.
    virtual bool ContainsPoint(const Math::Point4&) const { return false; }
    // Ray test for picking.
    virtual bool IntersectsRay(Math::Ray3) const { return false; }
    virtual const Math::Shape& GetShape() const = 0;
    // The box the shape lies in, for the broad phase (only meaningful for Bounded).
    virtual BoundsKind GetBounds(Math::Vector4& min, Math::Vector4& max) const = 0;

    u32 GetShapeId() const { return m_shapeId; }
    u32 GetBodyKind() const { return m_bodyKind; }
    bool IsEnabled() const { return m_enabled; }
    void SetEnabled(bool enabled) { m_enabled = enabled; }
    const Math::Matrix4& GetWorldTransform() const { return m_world; }
    // The object's rigid body as it linked itself, null when there is none.
    RigidBodyComponent* GetRigidBody() const { return m_body; }
    // Called by the rigid body and the physics particle when they are read and destroyed.
    void LinkBody(u32 bodyKind, RigidBodyComponent* body);
    void UnlinkRigidBody(const RigidBodyComponent* body);

    u32 Category;
    u32 Mask;

protected:
    // Joins the physics system's collider list (once).
    void JoinPhysics();
    virtual void ReadShape(Serializer::XmlReader& reader) = 0;
    virtual void WriteShape(Serializer::XmlWriter& writer) const = 0;
    // The object's transform matrix; false when the object has no transform.
    bool ReadOwnerTransform(Math::Matrix4& out) const;

    Math::Matrix4 m_world;
    u32 m_shapeId;
    bool m_enabled;
    u32 m_bodyKind;
    RigidBodyComponent* m_body;
};

// Widens a shape's box by a small part of its size and distance from the origin, so that
// rounding in the pair tests never reports a contact the boxes exclude. Unbounded when a value
// is not finite.
ColliderComponent::BoundsKind PaddedBounds(const Math::Point4& centre, const Math::Vector4& extent,
                                           Math::Vector4& min, Math::Vector4& max);
} // namespace Physics

QUILL_DECLARE_TYPE_RECORD(Physics::ColliderComponent)
