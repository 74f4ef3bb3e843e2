#pragma once
// Where a game object is: position, orientation and scale. Nearly every object has one;
// rendering, physics, actions, mounts and game logic read and set it.
//
// Conventions:
// - Position is a point (w = 1); the orientation is a unit quaternion stored w first; scale is
//   per axis. Angles are degrees in files and messages, radians in memory.
// - The matrices handed out are model-layout (Math/Matrix4.h): translation x rotation. Scale is
//   not part of them; renderers apply it where they need it.
// - The creator is the object whose id the owner records as its creator. With
//   updateRelativeToCreator set, every matrix follows the creator's (recursively up the chain);
//   with relativeToCreator set, the position read from a definition is an offset from the
//   creator, applied once when it is read.
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include "Math/Matrix4.h"
#include "Math/Point4.h"
#include "Math/Quaternion.h"
#include "Math/Vector3.h"
#include <string>

template <typename Owner> struct MemberTable;

class TransformComponent : public GameObjectComponent
{
public:
    // Creator chains longer than this are cut: a chain that loops back on itself would
    // otherwise never end.
    static constexpr u32 MaxCreatorChain = 64;

    // At the origin, unrotated, unit scale, both creator flags clear.
    TransformComponent();

    QUILL_COMPONENT_TYPE(TransformComponent)
    // Construct, destroy and assign operations and the reflected members "position" and
    // "scale" of the type record.
    static void RegisterMembers();
    // The one list of members behind the type record, Deserialize, Serialize and the editor.
    static const MemberTable<TransformComponent>& Members();

    void Shutdown() override {}
    // Five elements in order, whatever their tags: position, orientation (Euler degrees),
    // scale, relativeToCreator, updateRelativeToCreator.
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;
    // "Position", "Scale" (with "UniformScale") and "Orientation", then the options group.
    void BuildEditor(Tools::PropertyGroup& group) override;
    // Position set (74), scale set (75) and orientation set (76, Euler degrees).
    void HandleMessage(Message* message) override;

    Math::Point4* GetPositionPtr() { return &position; }
    Math::Quaternion* GetOrientationPtr() { return &orientation; }
    Math::Vector3* GetScalePtr() { return &scale; }
    const Math::Point4& GetPosition() const { return position; }
    const Math::Quaternion& GetOrientation() const { return orientation; }
    const Math::Vector3& GetScale() const { return scale; }

    // All four components of the point.
    void SetPosition(const Math::Point4& point) { position = point; }
    // x, y and z; w is kept.
    void SetPosition(f32 x, f32 y, f32 z);
    void SetOrientation(const Math::Quaternion& value) { orientation = value; }
    void SetScale(const Math::Vector3& value) { scale = value; }

    // The editor's single scale value: shows the mean of the three axes, sets all three.
    f32 GetUniformScale() const;
    void SetUniformScale(f32 value);

    // Translation x rotation, preceded by the creator's matrix when updateRelativeToCreator is
    // set and the creator has a transform.
    Math::Matrix4 GetTransformMatrix() const;
    // The orientation's rotation, preceded by the creator's under the same condition.
    Math::Matrix4 GetRotationMatrix() const;
    // The position's translation, preceded by the creator's under the same condition.
    Math::Matrix4 GetTranslationMatrix() const;

    // Set and cleared by the mount components; 0 when the object is mounted on nothing.
    u32 mountedOnObjectId;
    bool relativeToCreator;
    bool updateRelativeToCreator;
    Math::Point4 position;
    Math::Quaternion orientation;
    Math::Vector3 scale;

private:
    enum class MatrixKind
    {
        Transform,
        Rotation,
        Translation,
    };

    // This transform's own matrix of the kind, without any creator.
    Math::Matrix4 OwnMatrix(MatrixKind kind) const;
    // The matrix of the kind composed up the creator chain.
    Math::Matrix4 ChainedMatrix(MatrixKind kind) const;
    // Applies relativeToCreator after reading: offset from the creator, creator's orientation.
    void PlaceRelativeToCreator();
};

QUILL_DECLARE_TYPE_RECORD(TransformComponent)
