// The Audio, Graphics, Camera and Particle tables: sounds and music, the screen fade and the
// heads-up display, the cameras, and particle colours. The audio and camera entries post
// messages; the graphics entries that act at once call the graphics, particle and camera
// systems directly and do nothing without them.
#include "Core/Messages/Audio/AudioEffectMessage.h"
#include "Core/Messages/Audio/AudioFadeMessage.h"
#include "Core/Messages/Audio/AudioMusicMessage.h"
#include "Core/Messages/Audio/AudioResponseOnSelect.h"
#include "Core/Messages/Audio/AudioSystemMessage.h"
#include "Core/Messages/Camera/CameraCycleMessage.h"
#include "Core/Messages/Camera/CameraMountMessage.h"
#include "Core/Messages/Camera/CameraShakeMessage.h"
#include "Core/Messages/Camera/CameraSwitchMessage.h"
#include "Core/Messages/Graphics/SetBackgroundFadeToMessage.h"
#include "Core/Messages/Graphics/SetParticleColorMessage.h"
#include "Graphics/GraphicsSystem.h"
#include "Graphics/Particles/ParticleEffectSystem.h"
#include "Graphics/System/CameraSystem.h"
#include "Math/ColorRGBA.h"
#include "Math/Types.h"
#include "ScriptApi/ScriptApiTables.h"
#include "Scripting/CallThunk.h"
#include <string>

namespace Scripting
{
namespace
{
constexpr const char* GraphicsSystemName = "GraphicsSystem";
constexpr const char* CameraSystemLabel = "CameraSystem";
// The audio messages name no object and no system: every system sees them, the audio system
// acts.
constexpr u32 NoTargetId = 0;
constexpr u32 NoSender = 0;

Math::ColorRGBA Colour(f32 r, f32 g, f32 b)
{
    return Math::ColorRGBA(r, g, b, 1.0f);
}

void AudioSystem(u32 sender, u32 command, f32 value)
{
    Api::PostNew<AudioSystemMessage>(0.0f, sender, command, value, NoTargetId);
}

void DelayedEffect(u32 sender, const char* sound, u32 command, f32 delay)
{
    Api::PostNew<AudioEffectMessage>(delay, sender, std::string(sound), command, NoTargetId);
}

void Effect(u32 sender, const char* sound, u32 command)
{
    DelayedEffect(sender, sound, command, 0.0f);
}

void Music(u32 sender, const char* track, u32 command)
{
    Api::PostNew<AudioMusicMessage>(0.0f, sender, std::string(track), command, NoTargetId);
}

// The two numbers and the flag reach the sound's fade in the order the script gives them.
void Fade(u32 sender, const char* sound, f32 first, f32 second, bool flag)
{
    Api::PostNew<AudioFadeMessage>(0.0f, sender, std::string(sound), first, second, flag,
                                   NoTargetId);
}

void ResponseOnSelect(u32 sender, u32 target)
{
    Api::PostNew<AudioResponseOnSelect>(0.0f, sender, target);
}

using Graphics::System::CameraSystem;
using Graphics::System::GraphicsSystem;
using Graphics::System::ParticleEffectSystem;

void CreateSkybox(const char* definition)
{
    if (GraphicsSystem* graphics = GraphicsSystem::Instance())
        graphics->CreateSkybox(definition);
}

void ToggleFullScreen()
{
    if (GraphicsSystem* graphics = GraphicsSystem::Instance())
        graphics->ToggleFullScreen();
}

void DestroyParticleEffects()
{
    if (ParticleEffectSystem* particles = ParticleEffectSystem::Instance())
        particles->DestroyParticleEffects();
}

void SetFade(f32 red, f32 green, f32 blue)
{
    if (GraphicsSystem* graphics = GraphicsSystem::Instance())
        graphics->SetFade(red, green, blue);
}

void FadeTo(f32 red, f32 green, f32 blue, f32 duration)
{
    Api::PostNew<SetBackgroundFadeToMessage>(0.0f, NoSender, Colour(red, green, blue), duration,
                                             std::string(GraphicsSystemName));
}

void HideHud()
{
    if (GraphicsSystem* graphics = GraphicsSystem::Instance())
        graphics->HideHud();
}

void ShowHud()
{
    if (GraphicsSystem* graphics = GraphicsSystem::Instance())
        graphics->ShowHud();
}

// The first object carries the camera, the second is the one it follows.
void CameraMount(u32 sender, u32 cameraObject, u32 followedObject)
{
    Api::PostNew<CameraMountMessage>(0.0f, sender, cameraObject, followedObject,
                                     std::string(CameraSystemLabel));
}

void CameraCycle(u32 sender)
{
    Api::PostNew<CameraCycleMessage>(0.0f, sender, /*next=*/true, std::string(CameraSystemLabel));
}

void MakeSafe()
{
    if (CameraSystem* cameras = CameraSystem::Instance())
        cameras->MakeSafe();
}

// The cursor object's id; 0 without a camera system.
u32 CreateCursor()
{
    CameraSystem* cameras = CameraSystem::Instance();
    return cameras != nullptr ? cameras->CreateCursor() : 0u;
}

// The delay comes second, between the magnitude and the duration, as scripts have always
// called it.
void Shake(f32 magnitude, f32 delay, f32 duration, bool fade)
{
    Api::PostNew<CameraShakeMessage>(delay, NoSender, magnitude, duration, fade);
}

// The number is the id of the object whose cameras become active.
void SwitchTo(u32 sender, u32 cameraOwner)
{
    Api::PostNew<CameraSwitchMessage>(0.0f, sender, cameraOwner);
}

void ColorStart(u32 sender, u32 target, f32 red, f32 green, f32 blue)
{
    Api::PostNew<SetParticleColorMessage>(0.0f, sender, Colour(red, green, blue), true, target);
}

void ColorEnd(u32 sender, u32 target, f32 red, f32 green, f32 blue)
{
    Api::PostNew<SetParticleColorMessage>(0.0f, sender, Colour(red, green, blue), false, target);
}
} // namespace

namespace Api
{
void FillParticleTable(const Namespace& table)
{
    BindFunction<&ColorStart>(table, "ColorStart");
    BindFunction<&ColorEnd>(table, "ColorEnd");
}

void FillAudioTable(const Namespace& table)
{
    BindFunction<&AudioSystem>(table, "SystemMessage");
    BindFunction<&Effect>(table, "EffectMessage");
    BindFunction<&DelayedEffect>(table, "DelayedEffectMessage");
    BindFunction<&Music>(table, "MusicMessage");
    BindFunction<&Fade>(table, "FadeMessage");
    BindFunction<&ResponseOnSelect>(table, "ResponseOnSelect");
}

void FillGraphicsTable(const Namespace& table)
{
    BindFunction<&CreateSkybox>(table, "CreateSkybox");
    BindFunction<&ToggleFullScreen>(table, "ToggleFullScreen");
    BindFunction<&DestroyParticleEffects>(table, "DestroyParticleEffects");
    BindFunction<&SetFade>(table, "SetFade");
    BindFunction<&FadeTo>(table, "FadeTo");
    BindFunction<&HideHud>(table, "HideHud");
    BindFunction<&ShowHud>(table, "ShowHud");
}

void FillCameraTable(const Namespace& table)
{
    BindFunction<&CameraMount>(table, "MountMessage");
    BindFunction<&CameraCycle>(table, "Cycle");
    BindFunction<&MakeSafe>(table, "MakeSafe");
    BindFunction<&CreateCursor>(table, "CreateCursor");
    BindFunction<&Shake>(table, "Shake");
    BindFunction<&SwitchTo>(table, "SwitchTo");
}
} // namespace Api
} // namespace Scripting
