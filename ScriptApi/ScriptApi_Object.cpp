// The Object table: how a script acts on one game object. Every entry posts one message to the
// object named by its second argument (the stun entries to the object itself), so the object's
// components do the work when it is delivered. Positions travel as (x, y, z, 1), directions as
// (x, y, z, 0), colours as (r, g, b, 1); orientations are Euler angles in degrees.
#include "Core/Engine.h"
#include "Core/Messages/Gameplay/DirectionAddMessage.h"
#include "Core/Messages/Gameplay/DirectionSetMessage.h"
#include "Core/Messages/Gameplay/OrientationSetMessage.h"
#include "Core/Messages/Gameplay/PositionSetMessage.h"
#include "Core/Messages/Gameplay/ScaleSetMessage.h"
#include "Core/Messages/Gameplay/SetEmitterCountMessage.h"
#include "Core/Messages/Gameplay/SetEmitterIntervalMessage.h"
#include "Core/Messages/Graphics/AnimationSetTimeMessage.h"
#include "Core/Messages/Graphics/AnimationSpeedSetMessage.h"
#include "Core/Messages/Graphics/AnimationSwapMessage.h"
#include "Core/Messages/Graphics/SetGlowMessage.h"
#include "Core/Messages/Graphics/SetGlowToMessage.h"
#include "Core/Messages/Graphics/SetLightDiffuseToMessage.h"
#include "Core/Messages/Graphics/SetLightRadiusToMessage.h"
#include "Core/Messages/Graphics/SetLightSpecularToMessage.h"
#include "Core/Messages/Graphics/SetMaterialMessage.h"
#include "Core/Messages/Graphics/SetModelMessage.h"
#include "Core/Messages/Graphics/SetParticlePlayMessage.h"
#include "Core/Messages/Graphics/SetVisibleMessage.h"
#include "Core/Messages/Object/BoneMountObjectCreateMessage.h"
#include "Core/Messages/Object/BoneMountObjectRemoveMessage.h"
#include "Core/Messages/Object/MountObjectCreateMessage.h"
#include "Core/Messages/Object/MountObjectRemoveMessage.h"
#include "Core/Messages/Object/SetOrbitAroundMessage.h"
#include "Core/Messages/Object/SetOrbitDistanceMessage.h"
#include "Core/Messages/UserInterface/SetHudVisibleMessage.h"
#include "Logic/LogicSystem.h"
#include "Math/ColorRGBA.h"
#include "Math/Point4.h"
#include "Math/Types.h"
#include "Math/Vector3.h"
#include "Math/Vector4.h"
#include "ScriptApi/ScriptApiTables.h"
#include "Scripting/CallThunk.h"
#include "Scripting/CallingScript.h"
#include <string>

namespace Scripting
{
namespace
{
// Object.Direction arrives one second late; scripts written for it expect that.
constexpr f32 DirectionDelay = 1.0f;
// The type whose effect stuns an object.
constexpr const char* StunEffectType = "StunEffectComponent";

Math::Vector4 Position(f32 x, f32 y, f32 z)
{
    return Math::Vector4(x, y, z, 1.0f);
}

Math::Vector4 Direction(f32 x, f32 y, f32 z)
{
    return Math::Vector4(x, y, z, 0.0f);
}

Math::ColorRGBA Colour(f32 r, f32 g, f32 b)
{
    return Math::ColorRGBA(r, g, b, 1.0f);
}

void AddDirectionDelayed(u32 sender, u32 target, f32 x, f32 y, f32 z, f32 delay)
{
    Api::PostNew<DirectionAddMessage>(delay, sender, Direction(x, y, z), target);
}

void PositionDelayed(u32 sender, u32 target, f32 x, f32 y, f32 z, f32 delay)
{
    Api::PostNew<PositionSetMessage>(delay, sender, Position(x, y, z), target);
}

void SetPosition(u32 sender, u32 target, f32 x, f32 y, f32 z)
{
    PositionDelayed(sender, target, x, y, z, 0.0f);
}

void ScaleDelayed(u32 sender, u32 target, f32 x, f32 y, f32 z, f32 delay)
{
    Api::PostNew<ScaleSetMessage>(delay, sender, Math::Vector3(x, y, z), target);
}

void SetScale(u32 sender, u32 target, f32 x, f32 y, f32 z)
{
    ScaleDelayed(sender, target, x, y, z, 0.0f);
}

void OrientationDelayed(u32 sender, u32 target, f32 x, f32 y, f32 z, f32 delay)
{
    Api::PostNew<OrientationSetMessage>(delay, sender, Math::Vector3(x, y, z), target);
}

void SetOrientation(u32 sender, u32 target, f32 x, f32 y, f32 z)
{
    OrientationDelayed(sender, target, x, y, z, 0.0f);
}

void DirectionDelayed(u32 sender, u32 target, f32 x, f32 y, f32 z, f32 delay)
{
    Api::PostNew<DirectionSetMessage>(delay, sender, Direction(x, y, z), target);
}

void SetDirection(u32 sender, u32 target, f32 x, f32 y, f32 z)
{
    DirectionDelayed(sender, target, x, y, z, DirectionDelay);
}

void SetAnimationSpeed(u32 sender, u32 target, f32 speed)
{
    Api::PostNew<AnimationSpeedSetMessage>(0.0f, sender, speed, target);
}

void SetCurrentAnimation(u32 sender, u32 target, const char* animation, bool loop)
{
    Api::PostNew<AnimationSwapMessage>(0.0f, sender, std::string(animation), loop ? 1u : 0u,
                                       target);
}

void SetAnimationTime(u32 sender, u32 target, f32 time, bool flag)
{
    Api::PostNew<AnimationSetTimeMessage>(0.0f, sender, time, flag, target);
}

// Object.StunSelfDelayed(object, duration, delay): a temporary stun effect of that duration,
// made now and handed to the object by its own message (sender and target are the object).
void StunSelfDelayed(u32 objectId, f32 duration, f32 delay)
{
    // The logic system makes the effects; without it nothing is posted.
    if (Logic::System::LogicSystem::Instance() == nullptr)
        return;
    GameObjectComponent* stun =
        Logic::System::LogicSystem::MakeEffect(StunEffectType, duration, 0.0f, /*temporary=*/true);
    Api::PostComponent(objectId, stun, objectId, delay);
}

void StunSelf(u32 objectId, f32 duration)
{
    StunSelfDelayed(objectId, duration, 0.0f);
}

void SetModel(u32 sender, u32 target, const char* model)
{
    Api::PostNew<SetModelMessage>(0.0f, sender, std::string(model), target);
}

void SetMaterial(u32 sender, u32 target, const char* material)
{
    Api::PostNew<SetMaterialMessage>(0.0f, sender, std::string(material), target);
}

// The target orbits the point about the vertical axis.
void OrbitAround(u32 sender, u32 target, f32 x, f32 y, f32 z)
{
    Api::PostNew<SetOrbitAroundMessage>(0.0f, sender, Position(x, y, z),
                                        Direction(0.0f, 1.0f, 0.0f), target);
}

void OrbitDistance(u32 sender, u32 target, f32 distance)
{
    Api::PostNew<SetOrbitDistanceMessage>(0.0f, sender, distance, target);
}

void SetGlow(u32 sender, u32 target, f32 r1, f32 g1, f32 b1, f32 r2, f32 g2, f32 b2)
{
    Api::PostNew<SetGlowMessage>(0.0f, sender, Colour(r1, g1, b1), Colour(r2, g2, b2), target);
}

void EnableEmitters(u32 sender, u32 target, f32 delay)
{
    Api::PostNew<SetParticlePlayMessage>(delay, sender, true, target);
}

void DisableEmitters(u32 sender, u32 target, f32 delay)
{
    Api::PostNew<SetParticlePlayMessage>(delay, sender, false, target);
}

// Object.MountToObject(sender, carrier, archetype): the new object's id is reserved first and
// returned, whether or not the carrier exists.
u32 MountToObject(u32 sender, u32 target, const char* archetype)
{
    const u32 id = GenerateIdLocked();
    Api::PostNew<MountObjectCreateMessage>(0.0f, sender, id, std::string(archetype),
                                           Math::Point4(0.0f, 0.0f, 0.0f, 1.0f), target,
                                           Scripting::CallingScriptId());
    return id;
}

void UnmountFromObjectByID(u32 sender, u32 target, u32 mountedId, bool destroy)
{
    Api::PostNew<MountObjectRemoveMessage>(0.0f, sender, mountedId, destroy, target);
}

void UnmountFromObjectByArchetypeDelayed(u32 sender, u32 target, const char* archetype,
                                         bool destroy, f32 delay)
{
    Api::PostNew<MountObjectRemoveMessage>(delay, sender, std::string(archetype), destroy, target);
}

void UnmountFromObjectByArchetype(u32 sender, u32 target, const char* archetype, bool destroy)
{
    UnmountFromObjectByArchetypeDelayed(sender, target, archetype, destroy, 0.0f);
}

u32 MountToBone(u32 sender, u32 target, u32 bone, const char* archetype)
{
    const u32 id = GenerateIdLocked();
    Api::PostNew<BoneMountObjectCreateMessage>(0.0f, sender, id, std::string(archetype), bone,
                                               target, Scripting::CallingScriptId());
    return id;
}

void UnmountFromBoneByID(u32 sender, u32 target, u32 mountedId, bool destroy)
{
    Api::PostNew<BoneMountObjectRemoveMessage>(0.0f, sender, mountedId, destroy, target);
}

void UnmountFromBoneByArchetype(u32 sender, u32 target, s32 bone, const char* archetype,
                                bool destroy)
{
    Api::PostNew<BoneMountObjectRemoveMessage>(0.0f, sender, bone, std::string(archetype), destroy,
                                               target);
}

void GlowTo(u32 sender, u32 target, f32 r, f32 g, f32 b, f32 duration)
{
    Api::PostNew<SetGlowToMessage>(0.0f, sender, Colour(r, g, b), duration, target);
}

void LightDiffuseTo(u32 sender, u32 target, f32 r, f32 g, f32 b, f32 duration)
{
    Api::PostNew<SetLightDiffuseToMessage>(0.0f, sender, Colour(r, g, b), duration, target);
}

void LightSpecularTo(u32 sender, u32 target, f32 r, f32 g, f32 b, f32 duration)
{
    Api::PostNew<SetLightSpecularToMessage>(0.0f, sender, Colour(r, g, b), duration, target);
}

void LightRadiusTo(u32 sender, u32 target, f32 radius, f32 duration)
{
    Api::PostNew<SetLightRadiusToMessage>(0.0f, sender, radius, duration, target);
}

void SetVisible(u32 sender, u32 target, bool visible)
{
    Api::PostNew<SetVisibleMessage>(0.0f, sender, visible, target);
}

void HudVisible(u32 sender, u32 target, f32 value)
{
    Api::PostNew<SetHudVisibleMessage>(0.0f, sender, value, target);
}

void EmitInterval(u32 sender, u32 target, f32 interval)
{
    Api::PostNew<SetEmitterIntervalMessage>(0.0f, sender, interval, target);
}

// The counts are read as unsigned and carried as floats, so -1 arrives as 2^32 (the float
// nearest to 4294967295); emitters clamp what they are given.
void EmitCount(u32 sender, u32 target, u32 minimum, u32 maximum)
{
    Api::PostNew<SetEmitterCountMessage>(0.0f, sender, static_cast<f32>(minimum),
                                         static_cast<f32>(maximum), target);
}
} // namespace

namespace Api
{
void FillObjectTable(const Namespace& table)
{
    BindFunction<&AddDirectionDelayed>(table, "AddDirectionDelayed");
    BindFunction<&SetPosition>(table, "Position");
    BindFunction<&SetScale>(table, "Scale");
    BindFunction<&SetOrientation>(table, "Orientation");
    BindFunction<&SetDirection>(table, "Direction");
    BindFunction<&PositionDelayed>(table, "PositionDelayed");
    BindFunction<&ScaleDelayed>(table, "ScaleDelayed");
    BindFunction<&OrientationDelayed>(table, "OrientationDelayed");
    BindFunction<&DirectionDelayed>(table, "DirectionDelayed");
    BindFunction<&SetAnimationSpeed>(table, "SetAnimationSpeed");
    BindFunction<&SetCurrentAnimation>(table, "SetCurrentAnimation");
    BindFunction<&SetAnimationTime>(table, "SetAnimationTime");
    BindFunction<&StunSelf>(table, "StunSelf");
    BindFunction<&StunSelfDelayed>(table, "StunSelfDelayed");
    BindFunction<&SetModel>(table, "Model");
    BindFunction<&SetMaterial>(table, "Material");
    BindActionEntries(table);
    BindFunction<&OrbitAround>(table, "OrbitAround");
    BindFunction<&OrbitDistance>(table, "OrbitDistance");
    BindFunction<&SetGlow>(table, "SetGlow");
    BindFunction<&EnableEmitters>(table, "EnableEmitters");
    BindFunction<&DisableEmitters>(table, "DisableEmitters");
    BindFunction<&MountToObject>(table, "MountToObject");
    BindFunction<&UnmountFromObjectByID>(table, "UnmountFromObjectByID");
    BindFunction<&UnmountFromObjectByArchetype>(table, "UnmountFromObjectByArchetype");
    BindFunction<&MountToBone>(table, "MountToBone");
    BindFunction<&UnmountFromBoneByID>(table, "UnmountFromBoneByID");
    BindFunction<&UnmountFromBoneByArchetype>(table, "UnmountFromBoneByArchetype");
    BindFunction<&UnmountFromObjectByArchetypeDelayed>(table,
                                                       "UnmountFromObjectByArchetypeDelayed");
    BindFunction<&GlowTo>(table, "GlowTo");
    BindFunction<&LightDiffuseTo>(table, "LightDiffuseTo");
    BindFunction<&LightSpecularTo>(table, "LightSpecularTo");
    BindFunction<&LightRadiusTo>(table, "LightRadiusTo");
    BindFunction<&SetVisible>(table, "Visible");
    BindFunction<&HudVisible>(table, "HudVisible");
    BindFunction<&EmitInterval>(table, "EmitInterval");
    BindFunction<&EmitCount>(table, "EmitCount");
}
} // namespace Api
} // namespace Scripting
