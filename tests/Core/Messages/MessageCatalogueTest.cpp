// Covers: Message and every class derived from it.
// The whole message catalogue in one table: each class's type number, its size, where its
// constructors address it and its exact log text. Runs without an engine, so every text that
// names an object prints its "unfound" form (the found forms are in MessageTextTest).
#include "Core/Messages/Assets/AssetThreadDoneMessage.h"
#include "Core/Messages/Audio/AudioEffectMessage.h"
#include "Core/Messages/Audio/AudioFadeMessage.h"
#include "Core/Messages/Audio/AudioMusicMessage.h"
#include "Core/Messages/Audio/AudioResponseOnSelect.h"
#include "Core/Messages/Audio/AudioSystemMessage.h"
#include "Core/Messages/Audio/LoadMusicMessage.h"
#include "Core/Messages/Audio/LoadSoundEffectMessage.h"
#include "Core/Messages/Camera/CameraCycleMessage.h"
#include "Core/Messages/Camera/CameraMountMessage.h"
#include "Core/Messages/Camera/CameraShakeMessage.h"
#include "Core/Messages/Camera/CameraSwitchMessage.h"
#include "Core/Messages/Editor/AttachParticleEditorMessage.h"
#include "Core/Messages/Editor/AttachPropertyEditorMessage.h"
#include "Core/Messages/Editor/DetachParticleEditorMessage.h"
#include "Core/Messages/Editor/DetachPropertyEditorMessage.h"
#include "Core/Messages/Gameplay/DefeatMessage.h"
#include "Core/Messages/Gameplay/DirectionAddMessage.h"
#include "Core/Messages/Gameplay/DirectionSetMessage.h"
#include "Core/Messages/Gameplay/KillAIMessage.h"
#include "Core/Messages/Gameplay/OrientationSetMessage.h"
#include "Core/Messages/Gameplay/PositionSetMessage.h"
#include "Core/Messages/Gameplay/ReviveDeadPlayersMessage.h"
#include "Core/Messages/Gameplay/ScaleSetMessage.h"
#include "Core/Messages/Gameplay/SetEmitterCountMessage.h"
#include "Core/Messages/Gameplay/SetEmitterIntervalMessage.h"
#include "Core/Messages/Gameplay/SetHealthbarColorMessage.h"
#include "Core/Messages/Gameplay/SetPlayerNumberMessage.h"
#include "Core/Messages/Gameplay/VictoryMessage.h"
#include "Core/Messages/Graphics/AnimationPlayMessage.h"
#include "Core/Messages/Graphics/AnimationPlayUntilMessage.h"
#include "Core/Messages/Graphics/AnimationSetTimeMessage.h"
#include "Core/Messages/Graphics/AnimationSpeedSetMessage.h"
#include "Core/Messages/Graphics/AnimationSwapMessage.h"
#include "Core/Messages/Graphics/SetBackgroundFadeToMessage.h"
#include "Core/Messages/Graphics/SetGlowMessage.h"
#include "Core/Messages/Graphics/SetGlowToMessage.h"
#include "Core/Messages/Graphics/SetLightDiffuseToMessage.h"
#include "Core/Messages/Graphics/SetLightRadiusToMessage.h"
#include "Core/Messages/Graphics/SetLightSpecularToMessage.h"
#include "Core/Messages/Graphics/SetMaterialMessage.h"
#include "Core/Messages/Graphics/SetModelMessage.h"
#include "Core/Messages/Graphics/SetParticleColorMessage.h"
#include "Core/Messages/Graphics/SetParticlePlayMessage.h"
#include "Core/Messages/Graphics/SetVisibleMessage.h"
#include "Core/Messages/Graphics/TextConstructMessage.h"
#include "Core/Messages/Graphics/WindowResizeMessage.h"
#include "Core/Messages/Input/ControllerButtonMessage.h"
#include "Core/Messages/Input/ControllerStickMessage.h"
#include "Core/Messages/Input/InputActionMessage.h"
#include "Core/Messages/Input/InputCursorMessage.h"
#include "Core/Messages/Input/InputMoveMessage.h"
#include "Core/Messages/Input/KeyboardMessage.h"
#include "Core/Messages/Input/MouseButtonMessage.h"
#include "Core/Messages/Input/MouseMoveMessage.h"
#include "Core/Messages/Input/MouseWheelMessage.h"
#include "Core/Messages/Input/NaturalKeyboardMessage.h"
#include "Core/Messages/Object/ActionMessage.h"
#include "Core/Messages/Object/AddComponentMessage.h"
#include "Core/Messages/Object/BoneMountObjectCreateMessage.h"
#include "Core/Messages/Object/BoneMountObjectRemoveMessage.h"
#include "Core/Messages/Object/MountObjectCreateMessage.h"
#include "Core/Messages/Object/MountObjectRemoveMessage.h"
#include "Core/Messages/Object/ObjectCreateMessage.h"
#include "Core/Messages/Object/ObjectDestroyMessage.h"
#include "Core/Messages/Object/ObjectVisibilityMessage.h"
#include "Core/Messages/Object/RemoveComponentMessage.h"
#include "Core/Messages/Object/SetOrbitAroundMessage.h"
#include "Core/Messages/Object/SetOrbitDistanceMessage.h"
#include "Core/Messages/Physics/CollideMessage.h"
#include "Core/Messages/UserInterface/AddHudElementMessage.h"
#include "Core/Messages/UserInterface/ChangeButtonFunctionMessage.h"
#include "Core/Messages/UserInterface/ChangePageMessage.h"
#include "Core/Messages/UserInterface/GameStateMessage.h"
#include "Core/Messages/UserInterface/GoToStateMessage.h"
#include "Core/Messages/UserInterface/NextLevelMessage.h"
#include "Core/Messages/UserInterface/RemoveHudElementMessage.h"
#include "Core/Messages/UserInterface/SetHudVisibleMessage.h"
#include "Core/Messages/UserInterface/SetPointerPosMessage.h"
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace
{
// Sender and target are different numbers so that a swap shows in the texts.
constexpr u32 kSender = 3;
constexpr u32 kTarget = 12;
const std::string kSystem = "SomeSystem";
const std::string& kNoSystem = Message::NoSystem;

const Math::ColorRGBA kRed(1.0f, 0.0f, 0.0f, 1.0f);
const std::string kRedText = "|red: 1|green: 0|blue: 0|alpha: 1|";
const Math::ColorRGBA kHalfGrey(0.5f, 0.5f, 0.5f, 0.25f);
const std::string kHalfGreyText = "|red: 0.5|green: 0.5|blue: 0.5|alpha: 0.25|";

struct Row
{
    const char* name;
    std::function<Message*()> make;
    u32 type;
    std::size_t size;
    u32 targetObject;
    std::string targetSystem;
    std::string text;
};

// Fills the size from the class, so each row states only what the class must report.
template <class T>
Row Entry(const char* name, u32 type, u32 targetObject, const std::string& targetSystem,
          std::string text, std::function<T*()> make)
{
    return Row{name,           [make] { return static_cast<Message*>(make()); },
               type,           sizeof(T),
               targetObject,   targetSystem,
               std::move(text)};
}

struct MessageDeleter
{
    void operator()(Message* message) const { DestroyMessage(message); }
};
using MessagePtr = std::unique_ptr<Message, MessageDeleter>;

std::vector<Row> Catalogue()
{
    using Math::Vector2;
    using Math::Vector3;
    using Math::Vector4;
    const std::string s = std::to_string(kSender);
    const std::string t = std::to_string(kTarget);
    return {
        // Object family.
        Entry<ObjectCreateMessage>("ObjectCreate", 1, 0, kNoSystem,
                                   "ObjectID: 40 created with Archetype: Golem",
                                   [] { return new ObjectCreateMessage(kSender, 40, "Golem", 0); }),
        Entry<ObjectDestroyMessage>("ObjectDestroy", 2, 0, kNoSystem,
                                    s + " requested deletion of " + t,
                                    [] { return new ObjectDestroyMessage(kSender, kTarget, 0); }),
        Entry<ObjectVisibilityMessage>(
            "ObjectVisibility", 3, kTarget, kNoSystem,
            s + " is requesting to make " + t + "visible",
            [] { return new ObjectVisibilityMessage(kSender, true, kTarget); }),
        Entry<ObjectVisibilityMessage>(
            "ObjectInvisibility", 3, kTarget, kNoSystem,
            s + " is requesting to make " + t + "invisible",
            [] { return new ObjectVisibilityMessage(kSender, false, kTarget); }),
        Entry<AddComponentMessage>(
            "AddComponent", 4, kTarget, kNoSystem,
            s + " wants to add component of type (none) to " + t,
            [] { return new AddComponentMessage(kSender, nullptr, kTarget, kTarget); }),
        Entry<RemoveComponentMessage>("RemoveComponent", 5, kTarget, kNoSystem,
                                      s + " wants to remove componentID 77 from " + t,
                                      []
                                      { return new RemoveComponentMessage(kSender, 77, kTarget); }),
        Entry<MountObjectCreateMessage>("MountObjectCreate", 6, kTarget, kNoSystem,
                                        "ObjectID: 41 created with Archetype: Sword",
                                        []
                                        {
                                            return new MountObjectCreateMessage(
                                                kSender, 41, "Sword",
                                                Math::Point4(0.0f, 1.0f, 0.0f, 1.0f), kTarget);
                                        }),
        Entry<MountObjectRemoveMessage>(
            "MountObjectRemoveById", 7, kTarget, kNoSystem, s + " requested unmount of 41",
            [] { return new MountObjectRemoveMessage(kSender, 41, false, kTarget); }),
        Entry<MountObjectRemoveMessage>(
            "MountObjectRemoveByArchetype", 7, kTarget, kNoSystem,
            s + " requested unmount of 0 and destroy",
            []
            { return new MountObjectRemoveMessage(kSender, std::string("Sword"), true, kTarget); }),
        Entry<BoneMountObjectCreateMessage>(
            "BoneMountObjectCreate", 8, kTarget, kNoSystem,
            "ObjectID: 42 created with Archetype: Torch attached to Bone: 5",
            [] { return new BoneMountObjectCreateMessage(kSender, 42, "Torch", 5, kTarget); }),
        Entry<BoneMountObjectRemoveMessage>(
            "BoneMountObjectRemoveById", 9, kTarget, kNoSystem,
            s + " requested unmount of 42 and destroy",
            [] { return new BoneMountObjectRemoveMessage(kSender, 42, true, kTarget); }),
        Entry<BoneMountObjectRemoveMessage>(
            "BoneMountObjectRemoveByBone", 9, kTarget, kNoSystem, s + " requested unmount of 0",
            [] { return new BoneMountObjectRemoveMessage(kSender, 5, "Torch", false, kTarget); }),
        Entry<SetOrbitAroundMessage>(
            "SetOrbitAround", 10, kTarget, kNoSystem,
            s + " is orbiting around the point (1, 2, 3, 1) around the axis (0, 1, 0, 0)",
            []
            {
                return new SetOrbitAroundMessage(kSender, Vector4(1.0f, 2.0f, 3.0f, 1.0f),
                                                 Vector4(0.0f, 1.0f, 0.0f, 0.0f), kTarget);
            }),
        Entry<SetOrbitDistanceMessage>(
            "SetOrbitDistance", 11, kTarget, kNoSystem, s + " is orbiting at a distance of 2.5",
            [] { return new SetOrbitDistanceMessage(kSender, 2.5f, kTarget); }),

        // Action family: one class, three types, and a text for any other type.
        Entry<ActionMessage>("ActionAdd", 12, kTarget, kNoSystem, "Action Add",
                             [] { return new ActionMessage(kSender, 12, nullptr, kTarget); }),
        Entry<ActionMessage>("ActionStart", 13, kTarget, kNoSystem, "Action Start",
                             [] { return new ActionMessage(kSender, 13, nullptr, kTarget); }),
        Entry<ActionMessage>("ActionFinish", 14, kTarget, kNoSystem, "Action Finish",
                             [] { return new ActionMessage(kSender, 14, nullptr, kTarget); }),
        Entry<ActionMessage>("ActionUnknown", 44, kTarget, kNoSystem, "UNIDENTIFIED ACTION MESSAGE",
                             [] { return new ActionMessage(kSender, 44, nullptr, kTarget); }),

        // Game-state and user-interface family.
        Entry<GameStateMessage>("GameStateRestart", 15, kTarget, kNoSystem,
                                "Game State Message: GSM_RESTART",
                                [] { return new GameStateMessage(kSender, GSM_RESTART, kTarget); }),
        Entry<GameStateMessage>("GameStateExit", 15, 0, kSystem, "Game State Message: GSM_EXIT",
                                [] { return new GameStateMessage(kSender, GSM_EXIT, kSystem); }),
        Entry<GameStateMessage>(
            "GameStatePrevious", 15, 0, kSystem, "Game State Message: GSM_PREVIOUS",
            [] { return new GameStateMessage(kSender, GSM_PREVIOUS, kSystem); }),
        Entry<GameStateMessage>("GameStateNext", 15, 0, kSystem, "Game State Message: GSM_NEXT",
                                [] { return new GameStateMessage(kSender, GSM_NEXT, kSystem); }),
        Entry<GameStateMessage>("GameStatePause", 15, 0, kSystem, "Game State Message: GSM_PAUSE",
                                [] { return new GameStateMessage(kSender, GSM_PAUSE, kSystem); }),
        Entry<GameStateMessage>("GameStateResume", 15, 0, kSystem, "Game State Message: GSM_RESUME",
                                [] { return new GameStateMessage(kSender, GSM_RESUME, kSystem); }),
        Entry<GameStateMessage>("GameStateUnknown", 15, 0, kSystem,
                                "Game State Message: GSM_UNKNOWN (9)",
                                [] { return new GameStateMessage(kSender, 9, kSystem); }),
        Entry<GoToStateMessage>("GoToState", 16, kTarget, kNoSystem, "Going to Main state.",
                                [] { return new GoToStateMessage(kSender, "Main", kTarget); }),
        Entry<AddHudElementMessage>(
            "AddHudElement", 17, kTarget, kNoSystem, "Adding HUD element: 8 with text \"Score\"",
            []
            {
                return new AddHudElementMessage(kSender, 8, "HudMaterial", "Score", 0.25f, 0.75f, 5,
                                                10, kTarget);
            }),
        Entry<RemoveHudElementMessage>(
            "RemoveHudElement", 18, kTarget, kNoSystem, "Removing HUD element: 8",
            [] { return new RemoveHudElementMessage(kSender, 8, kTarget); }),
        Entry<SetHudVisibleMessage>(
            "SetHudVisible", 19, kTarget, kNoSystem, "Setting HUD element visibility: 0.5\n",
            [] { return new SetHudVisibleMessage(kSender, 0.5f, kTarget); }),
        Entry<ChangePageMessage>("ChangePage", 21, kTarget, kNoSystem, "Change Page: Options",
                                 [] { return new ChangePageMessage(kSender, "Options", kTarget); }),
        Entry<NextLevelMessage>("NextLevel", 22, 0, kSystem,
                                "Going to next level and reloading next state script.",
                                [] { return new NextLevelMessage(kSender, kSystem); }),
        Entry<ChangeButtonFunctionMessage>(
            "ChangeButtonFunction", 23, 0, kSystem, "Changing Play lua function to StartGame",
            [] { return new ChangeButtonFunctionMessage(kSender, "Play", "StartGame", kSystem); }),
        Entry<SetPointerPosMessage>(
            "SetPointerPos", 24, 0, kSystem,
            "Setting Controller: 2 to position (0.5, -1) relative to buttons.",
            [] { return new SetPointerPosMessage(kSender, 2, 0.5f, -1.0f, kSystem); }),

        // Input family.
        Entry<KeyboardMessage>("Keyboard", 25, kTarget, kNoSystem, "Key KS_TRIGGER",
                               []
                               { return new KeyboardMessage(kSender, 268, KS_TRIGGER, kTarget); }),
        Entry<NaturalKeyboardMessage>(
            "NaturalKeyboard", 26, 0, "InputSystem", "Natural Key KS_RELEASE",
            [] { return new NaturalKeyboardMessage(kSender, 'a', KS_RELEASE, "InputSystem"); }),
        Entry<MouseButtonMessage>(
            "MouseButton", 27, kTarget, kNoSystem, "Mouse Middle Button KS_PRESSED",
            [] { return new MouseButtonMessage(kSender, Vector2(3, 4), 2, KS_PRESSED, kTarget); }),
        Entry<MouseMoveMessage>("MouseMove", 28, kTarget, kNoSystem, "Mouse Move Delta: (-2, 1.5)",
                                [] {
                                    return new MouseMoveMessage(kSender, Vector2(10, 20),
                                                                Vector2(-2.0f, 1.5f), kTarget);
                                }),
        Entry<MouseWheelMessage>(
            "MouseWheel", 30, kTarget, kNoSystem, "Mouse Wheel Delta: 3",
            [] { return new MouseWheelMessage(kSender, Vector2(10, 20), 3, 1, kTarget); }),
        Entry<ControllerButtonMessage>(
            "ControllerButton", 31, kTarget, kNoSystem, "Controller: DPad LeftKS_TRIGGER",
            [] { return new ControllerButtonMessage(kSender, 1, 13, KS_TRIGGER, kTarget); }),
        Entry<ControllerStickMessage>(
            "ControllerStick", 32, kTarget, kNoSystem, "Controller: Right Stick Y -0.75",
            [] { return new ControllerStickMessage(kSender, 0, 3, -0.75f, kTarget); }),
        Entry<InputMoveMessage>(
            "InputMove", 33, kTarget, kNoSystem, "1:Normalized Input Move: (0, -1) KS_RELEASE",
            [] { return new InputMoveMessage(kSender, 1, Vector2(0, -1), KS_RELEASE, kTarget); }),
        Entry<InputCursorMessage>(
            "InputCursor", 34, kTarget, kNoSystem, "0:Normalized Input Cursor: (4, -3)",
            [] { return new InputCursorMessage(kSender, 0, Vector2(4, -3), kTarget); }),
        Entry<InputActionMessage>(
            "InputAction", 35, kTarget, kNoSystem, "0:Normalized Input Action: ACTION_9 KS_TRIGGER",
            [] { return new InputActionMessage(kSender, 0, 8, KS_TRIGGER, kTarget); }),
        Entry<InputActionMessage>(
            "InputActionPause", 35, kTarget, kNoSystem,
            "2:Normalized Input Action: ACTION_PAUSE KS_PRESSED",
            [] { return new InputActionMessage(kSender, 2, 10, KS_PRESSED, kTarget); }),

        // Camera family: shake and switch always go to the camera system.
        Entry<CameraCycleMessage>("CameraCycleNext", 37, 0, kSystem, "Next Camera",
                                  [] { return new CameraCycleMessage(kSender, true, kSystem); }),
        Entry<CameraCycleMessage>("CameraCyclePrevious", 37, 0, kSystem, "Previous Camera",
                                  [] { return new CameraCycleMessage(kSender, false, kSystem); }),
        Entry<CameraMountMessage>("CameraMountMissingObjects", 38, 0, kSystem, "",
                                  [] { return new CameraMountMessage(kSender, 5, 6, kSystem); }),
        Entry<CameraShakeMessage>("CameraShake", 39, 0, "CameraSystem",
                                  "Camera Shaking Mag:0.5 Duration: 2 Fade: 1",
                                  [] { return new CameraShakeMessage(kSender, 0.5f, 2.0f, true); }),
        Entry<CameraSwitchMessage>("CameraSwitch", 40, 0, "CameraSystem", "Switching to camera: 7",
                                   [] { return new CameraSwitchMessage(kSender, 7); }),

        // Graphics and animation family.
        Entry<WindowResizeMessage>(
            "WindowResizeToObject", 42, kTarget, kNoSystem, "Window Resizing To: (1280, 720)",
            [] { return new WindowResizeMessage(kSender, Vector2(1280, 720), kTarget); }),
        Entry<WindowResizeMessage>(
            "WindowResizeToSystem", 42, 0, kSystem, "Window Resizing To: (800, 600)",
            [] { return new WindowResizeMessage(kSender, Vector2(800, 600), kSystem); }),
        Entry<SetVisibleMessage>("SetVisible", 43, kTarget, kNoSystem, "Setting Object Visible.",
                                 [] { return new SetVisibleMessage(kSender, true, kTarget); }),
        Entry<SetVisibleMessage>("SetInvisible", 43, kTarget, kNoSystem,
                                 "Setting Object Invisible.",
                                 [] { return new SetVisibleMessage(kSender, false, kTarget); }),
        Entry<SetModelMessage>("SetModel", 44, kTarget, kNoSystem, "Change Model to: Golem.bin",
                               [] { return new SetModelMessage(kSender, "Golem.bin", kTarget); }),
        Entry<SetMaterialMessage>("SetMaterial", 45, kTarget, kNoSystem,
                                  "Change Material to: Stone",
                                  [] { return new SetMaterialMessage(kSender, "Stone", kTarget); }),
        Entry<AnimationPlayMessage>("AnimationPlay", 46, kTarget, kNoSystem, "Animation Starting",
                                    []
                                    { return new AnimationPlayMessage(kSender, true, kTarget); }),
        Entry<AnimationPlayMessage>("AnimationStop", 46, kTarget, kNoSystem, "Animation Stopping",
                                    []
                                    { return new AnimationPlayMessage(kSender, false, kTarget); }),
        Entry<AnimationSwapMessage>(
            "AnimationSwapLoop", 47, kTarget, kNoSystem,
            "Change Animation[Loop] Request: Run for GUID: " + t,
            [] { return new AnimationSwapMessage(kSender, "Run", 1, kTarget); }),
        Entry<AnimationSwapMessage>(
            "AnimationSwapSingle", 47, kTarget, kNoSystem,
            "Change Animation[Single] Request: Die for GUID: " + t,
            [] { return new AnimationSwapMessage(kSender, "Die", 0, kTarget); }),
        Entry<AnimationSpeedSetMessage>(
            "AnimationSpeedSet", 48, kTarget, kNoSystem,
            "Change Animation Speed: 1.5 for GUID: " + t,
            [] { return new AnimationSpeedSetMessage(kSender, 1.5f, kTarget); }),
        Entry<AnimationPlayUntilMessage>(
            "AnimationPlayUntil", 49, kTarget, kNoSystem,
            "Play Current Animation Until: 0.75 for GUID: " + t,
            [] { return new AnimationPlayUntilMessage(kSender, 0.75f, kTarget); }),
        Entry<AnimationSetTimeMessage>(
            "AnimationSetTime", 50, kTarget, kNoSystem,
            "Stop Current Animation At: 0.25 for GUID: " + t,
            [] { return new AnimationSetTimeMessage(kSender, 0.25f, true, kTarget); }),
        Entry<TextConstructMessage>("TextConstructChange", 51, kTarget, kNoSystem, "Change Text",
                                    []
                                    { return new TextConstructMessage(kSender, "Hi", kTarget); }),
        Entry<TextConstructMessage>("TextConstructUpdate", 51, kTarget, kNoSystem, "Update Text",
                                    [] { return new TextConstructMessage(kSender, "", kTarget); }),
        Entry<SetGlowMessage>("SetGlow", 52, kTarget, kNoSystem,
                              s + " setting glow between " + kRedText + " and " + kHalfGreyText,
                              [] { return new SetGlowMessage(kSender, kRed, kHalfGrey, kTarget); }),
        Entry<SetGlowToMessage>("SetGlowTo", 53, kTarget, kNoSystem,
                                s + " setting glow to " + kRedText,
                                [] { return new SetGlowToMessage(kSender, kRed, 1.0f, kTarget); }),
        Entry<SetLightDiffuseToMessage>(
            "SetLightDiffuseTo", 54, kTarget, kNoSystem,
            s + " setting light diffuse to " + kRedText,
            [] { return new SetLightDiffuseToMessage(kSender, kRed, 1.0f, kTarget); }),
        Entry<SetLightSpecularToMessage>(
            "SetLightSpecularTo", 55, kTarget, kNoSystem,
            s + " setting light specular to " + kHalfGreyText,
            [] { return new SetLightSpecularToMessage(kSender, kHalfGrey, 1.0f, kTarget); }),
        Entry<SetLightRadiusToMessage>(
            "SetLightRadiusTo", 56, kTarget, kNoSystem, s + " setting light radius to 4.5",
            [] { return new SetLightRadiusToMessage(kSender, 4.5f, 2.0f, kTarget); }),
        Entry<SetParticlePlayMessage>(
            "SetParticlePlayOn", 57, kTarget, kNoSystem, s + " enabling particle emitters for " + t,
            [] { return new SetParticlePlayMessage(kSender, true, kTarget); }),
        Entry<SetParticlePlayMessage>(
            "SetParticlePlayOff", 57, kTarget, kNoSystem,
            s + " disabling particle emitters for " + t,
            [] { return new SetParticlePlayMessage(kSender, false, kTarget); }),
        Entry<SetBackgroundFadeToMessage>(
            "SetBackgroundFadeTo", 58, 0, kSystem, s + " setting screen fade to " + kRedText,
            [] { return new SetBackgroundFadeToMessage(kSender, kRed, 0.5f, kSystem); }),
        Entry<SetParticleColorMessage>(
            "SetParticleColorStart", 90, kTarget, kNoSystem,
            t + " setting particle start color to " + kRedText,
            [] { return new SetParticleColorMessage(kSender, kRed, true, kTarget); }),
        Entry<SetParticleColorMessage>(
            "SetParticleColorEnd", 90, kTarget, kNoSystem,
            t + " setting particle end color to " + kRedText,
            [] { return new SetParticleColorMessage(kSender, kRed, false, kTarget); }),

        // Physics family.
        Entry<CollideMessage>(
            "CollideMissingObjects", 59, kTarget, kNoSystem,
            "Collision message being sent to two unidentified objects:" + t + " and 13",
            [] { return new CollideMessage(kSender, Vector4(0, 1, 0, 0), 13, true, kTarget); }),

        // Audio family.
        Entry<AudioSystemMessage>("AudioSystem", 63, kTarget, kNoSystem, "Audio System",
                                  [] { return new AudioSystemMessage(kSender, 0, 0.5f, kTarget); }),
        Entry<AudioMusicMessage>("AudioMusic", 64, kTarget, kNoSystem, "Audio Music",
                                 []
                                 { return new AudioMusicMessage(kSender, "Theme", 2, kTarget); }),
        Entry<AudioEffectMessage>("AudioEffect", 65, kTarget, kNoSystem, "Audio Effect",
                                  []
                                  { return new AudioEffectMessage(kSender, "Hit", 0, kTarget); }),
        Entry<AudioFadeMessage>(
            "AudioFade", 66, kTarget, kNoSystem, "Audio Fade",
            [] { return new AudioFadeMessage(kSender, "Theme", 2.0f, 0.1f, true, kTarget); }),
        Entry<LoadSoundEffectMessage>(
            "LoadSoundEffect", 67, 0, "AudioSystem", "Audio Load Sound Effect",
            [] { return new LoadSoundEffectMessage(kSender, "hit.wav", "Hit", "AudioSystem"); }),
        Entry<LoadMusicMessage>(
            "LoadMusic", 69, 0, "AudioSystem", "Audio Load Music",
            [] { return new LoadMusicMessage(kSender, "theme.ogg", "Theme", "AudioSystem"); }),
        Entry<AudioResponseOnSelect>("AudioResponseOnSelect", 85, kTarget, kNoSystem,
                                     "Audio Response: OnSelect",
                                     [] { return new AudioResponseOnSelect(kSender, kTarget); }),

        // Gameplay family; the transform texts name a missing object.
        Entry<DirectionSetMessage>(
            "DirectionSet", 73, kTarget, kNoSystem,
            s + " attempted to set direction of non-existing object: " + t,
            [] { return new DirectionSetMessage(kSender, Vector4(1, 0, 0, 0), kTarget); }),
        Entry<PositionSetMessage>(
            "PositionSet", 74, kTarget, kNoSystem,
            s + " attempted to set position of unfound object: " + t,
            [] { return new PositionSetMessage(kSender, Vector4(1, 2, 3, 1), kTarget); }),
        Entry<ScaleSetMessage>("ScaleSet", 75, kTarget, kNoSystem,
                               s + " attempted to set scale of unfound object: " + t,
                               []
                               { return new ScaleSetMessage(kSender, Vector3(2, 2, 2), kTarget); }),
        Entry<OrientationSetMessage>(
            "OrientationSet", 76, kTarget, kNoSystem,
            s + " attempted to set orientation of unfound object: " + t,
            [] { return new OrientationSetMessage(kSender, Vector3(0, 90, 0), kTarget); }),
        Entry<DirectionAddMessage>(
            "DirectionAdd", 77, kTarget, kNoSystem,
            s + " attempted to add direction to non-existing object: " + t,
            [] { return new DirectionAddMessage(kSender, Vector4(0, 0, 1, 0), kTarget); }),
        Entry<SetPlayerNumberMessage>("SetPlayerNumber", 79, kTarget, kNoSystem,
                                      "Attempted to set player number on an unidentified object",
                                      []
                                      { return new SetPlayerNumberMessage(kSender, 2, kTarget); }),
        Entry<KillAIMessage>("KillAI", 81, 0, kSystem,
                             s + " has requested that all AI entities be killed",
                             [] { return new KillAIMessage(kSender, kSystem); }),
        Entry<VictoryMessage>("Victory", 83, kTarget, kNoSystem, "Game Victory.",
                              [] { return new VictoryMessage(kSender, kTarget); }),
        Entry<DefeatMessage>("Defeat", 84, kTarget, kNoSystem, "Game Defeat.",
                             [] { return new DefeatMessage(kSender, kTarget); }),
        Entry<SetHealthbarColorMessage>(
            "SetHealthbarColor", 86, kTarget, kNoSystem, kHalfGreyText,
            [] { return new SetHealthbarColorMessage(kSender, kHalfGrey, kTarget); }),
        Entry<ReviveDeadPlayersMessage>(
            "ReviveDeadPlayers", 87, 0, kSystem, "Reviving all dead players",
            [] { return new ReviveDeadPlayersMessage(kSender, kSystem); }),
        Entry<SetEmitterIntervalMessage>(
            "SetEmitterInterval", 88, kTarget, kNoSystem, "Setting emitter emit interval to: 0.125",
            [] { return new SetEmitterIntervalMessage(kSender, 0.125f, kTarget); }),
        Entry<SetEmitterCountMessage>(
            "SetEmitterCount", 89, kTarget, kNoSystem,
            "Setting emitter emit count range to: (2, 6)",
            [] { return new SetEmitterCountMessage(kSender, 2.0f, 6.0f, kTarget); }),

        // Editor family.
        Entry<AttachPropertyEditorMessage>(
            "AttachPropertyEditor", 91, 0, kSystem, "Attaching Property Editor to 40.",
            [] { return new AttachPropertyEditorMessage(kSender, 40, 1, kSystem); }),
        Entry<DetachPropertyEditorMessage>(
            "DetachPropertyEditor", 92, 0, kSystem, "Detaching Property Editor.",
            [] { return new DetachPropertyEditorMessage(kSender, kSystem); }),
        Entry<AttachParticleEditorMessage>(
            "AttachParticleEditor", 93, 0, kSystem, "Attaching Particle Editor to 41.",
            [] { return new AttachParticleEditorMessage(kSender, 41, kSystem); }),
        Entry<DetachParticleEditorMessage>(
            "DetachParticleEditor", 94, 0, kSystem, "Detaching Particle Editor.",
            [] { return new DetachParticleEditorMessage(kSender, kSystem); }),

        // Asset loading: names nothing, so it reaches every system.
        Entry<AssetThreadDoneMessage>(
            "AssetThreadDone", 95, 0, kNoSystem, "Finished loading DefaultBatch",
            [] { return new AssetThreadDoneMessage(kSender, "DefaultBatch"); }),
    };
}
} // namespace

TEST(MessageCatalogue, EveryClassReportsItsTypeSizeAndAddressing)
{
    for (const Row& row : Catalogue())
    {
        SCOPED_TRACE(row.name);
        MessagePtr message(row.make());
        EXPECT_EQ(message->type, row.type);
        EXPECT_EQ(message->size, row.size);
        EXPECT_EQ(message->senderId, kSender);
        EXPECT_EQ(message->targetObjectId, row.targetObject);
        EXPECT_EQ(message->targetGroupId, 0u);
        EXPECT_EQ(message->targetSystem, row.targetSystem);
        EXPECT_EQ(message->delay, 0.0f);
    }
}

TEST(MessageCatalogue, EveryClassWritesItsLogText)
{
    for (const Row& row : Catalogue())
    {
        SCOPED_TRACE(row.name);
        MessagePtr message(row.make());
        EXPECT_EQ(message->ToString(), row.text);
    }
}

TEST(MessageCatalogue, ClassTypeConstantsMatchTheTypeTable)
{
    // Every class numbered in the type table, and each number used once.
    const std::vector<u32> classTypes = {
        ObjectCreateMessage::Type,
        ObjectDestroyMessage::Type,
        ObjectVisibilityMessage::Type,
        AddComponentMessage::Type,
        RemoveComponentMessage::Type,
        MountObjectCreateMessage::Type,
        MountObjectRemoveMessage::Type,
        BoneMountObjectCreateMessage::Type,
        BoneMountObjectRemoveMessage::Type,
        SetOrbitAroundMessage::Type,
        SetOrbitDistanceMessage::Type,
        ActionMessage::AddType,
        ActionMessage::StartType,
        ActionMessage::FinishType,
        GameStateMessage::Type,
        GoToStateMessage::Type,
        AddHudElementMessage::Type,
        RemoveHudElementMessage::Type,
        SetHudVisibleMessage::Type,
        ChangePageMessage::Type,
        NextLevelMessage::Type,
        ChangeButtonFunctionMessage::Type,
        SetPointerPosMessage::Type,
        KeyboardMessage::Type,
        NaturalKeyboardMessage::Type,
        MouseButtonMessage::Type,
        MouseMoveMessage::Type,
        MouseWheelMessage::Type,
        ControllerButtonMessage::Type,
        ControllerStickMessage::Type,
        InputMoveMessage::Type,
        InputCursorMessage::Type,
        InputActionMessage::Type,
        CameraCycleMessage::Type,
        CameraMountMessage::Type,
        CameraShakeMessage::Type,
        CameraSwitchMessage::Type,
        WindowResizeMessage::Type,
        SetVisibleMessage::Type,
        SetModelMessage::Type,
        SetMaterialMessage::Type,
        AnimationPlayMessage::Type,
        AnimationSwapMessage::Type,
        AnimationSpeedSetMessage::Type,
        AnimationPlayUntilMessage::Type,
        AnimationSetTimeMessage::Type,
        TextConstructMessage::Type,
        SetGlowMessage::Type,
        SetGlowToMessage::Type,
        SetLightDiffuseToMessage::Type,
        SetLightSpecularToMessage::Type,
        SetLightRadiusToMessage::Type,
        SetParticlePlayMessage::Type,
        SetBackgroundFadeToMessage::Type,
        CollideMessage::Type,
        AudioSystemMessage::Type,
        AudioMusicMessage::Type,
        AudioEffectMessage::Type,
        AudioFadeMessage::Type,
        LoadSoundEffectMessage::Type,
        LoadMusicMessage::Type,
        DirectionSetMessage::Type,
        PositionSetMessage::Type,
        ScaleSetMessage::Type,
        OrientationSetMessage::Type,
        DirectionAddMessage::Type,
        SetPlayerNumberMessage::Type,
        KillAIMessage::Type,
        VictoryMessage::Type,
        DefeatMessage::Type,
        AudioResponseOnSelect::Type,
        SetHealthbarColorMessage::Type,
        ReviveDeadPlayersMessage::Type,
        SetEmitterIntervalMessage::Type,
        SetEmitterCountMessage::Type,
        SetParticleColorMessage::Type,
        AttachPropertyEditorMessage::Type,
        DetachPropertyEditorMessage::Type,
        AttachParticleEditorMessage::Type,
        DetachParticleEditorMessage::Type,
        AssetThreadDoneMessage::Type,
    };
    const std::set<u32> distinct(classTypes.begin(), classTypes.end());
    EXPECT_EQ(distinct.size(), classTypes.size());

    // The numbers that no message uses, and those carried by a plain Message or by the
    // scripting message, are never a class's Type here.
    for (u32 unused :
         {0u, 20u, 29u, 36u, 41u, 60u, 61u, 62u, 68u, 70u, 71u, 72u, 78u, 80u, 82u, 96u})
    {
        EXPECT_EQ(distinct.count(unused), 0u) << unused;
    }
    EXPECT_EQ(*distinct.rbegin(), 95u);
}

TEST(MessageCatalogue, RemovalByArchetypeCarriesNoObjectAndRemovalByIdAnyBone)
{
    MessagePtr byArchetype(
        new MountObjectRemoveMessage(kSender, std::string("Sword"), true, kTarget));
    EXPECT_EQ(static_cast<MountObjectRemoveMessage&>(*byArchetype).objectId, 0u);
    EXPECT_EQ(static_cast<MountObjectRemoveMessage&>(*byArchetype).archetype, "Sword");

    MessagePtr byId(new MountObjectRemoveMessage(kSender, 41, false, kTarget));
    EXPECT_EQ(static_cast<MountObjectRemoveMessage&>(*byId).archetype, "");

    MessagePtr boneById(new BoneMountObjectRemoveMessage(kSender, 42, true, kTarget));
    auto& bone = static_cast<BoneMountObjectRemoveMessage&>(*boneById);
    EXPECT_EQ(bone.boneIndex, -1);
    EXPECT_EQ(bone.boneIndex, BoneMountObjectRemoveMessage::AnyBone);
    EXPECT_EQ(bone.archetype, "");
    EXPECT_EQ(bone.objectId, 42u);

    MessagePtr boneByArchetype(
        new BoneMountObjectRemoveMessage(kSender, 5, "Torch", false, kTarget));
    auto& named = static_cast<BoneMountObjectRemoveMessage&>(*boneByArchetype);
    EXPECT_EQ(named.objectId, 0u);
    EXPECT_EQ(named.boneIndex, 5);
    EXPECT_EQ(named.archetype, "Torch");
}

TEST(MessageCatalogue, KeyboardMessageCarriesKeyCodeAndState)
{
    MessagePtr message(new KeyboardMessage(kSender, 268, KS_TRIGGER, 0));
    auto& keyboard = static_cast<KeyboardMessage&>(*message);
    EXPECT_EQ(keyboard.keyCode, 268u);
    EXPECT_EQ(keyboard.state, 1u);
}

TEST(InputCodes, CodesOutsideTheNameTablesPrintUnknownNames)
{
    MessagePtr key(new KeyboardMessage(kSender, 65, 7, 0));
    EXPECT_EQ(key->ToString(), "Key KS_UNKNOWN");
    MessagePtr action(new InputActionMessage(kSender, 0, 11, KS_NONE, 0));
    EXPECT_EQ(action->ToString(), "0:Normalized Input Action: ACTION_UNKNOWN KS_NONE");
    MessagePtr button(new ControllerButtonMessage(kSender, 0, 14, KS_TRIGGER, 0));
    EXPECT_EQ(button->ToString(), "Controller: Unknown ButtonKS_TRIGGER");
    MessagePtr axis(new ControllerStickMessage(kSender, 0, 5, 1.0f, 0));
    EXPECT_EQ(axis->ToString(), "Controller: Unknown Axis 1");
    MessagePtr mouse(new MouseButtonMessage(kSender, Math::Vector2(), 3, KS_RELEASE, 0));
    EXPECT_EQ(mouse->ToString(), "Mouse Unknown Button KS_RELEASE");
}

TEST(MessageTypes, NamesEveryTypeAndMarksTheUnusedOnes)
{
    EXPECT_STREQ(GetMessageTypeName(MT_OBJECT_DESTROY), "OBJECT_DESTROY");
    EXPECT_STREQ(GetMessageTypeName(MT_KEYBOARD), "KEYBOARD");
    EXPECT_STREQ(GetMessageTypeName(82), "PLAYER_DIED");
    EXPECT_STREQ(GetMessageTypeName(96), "ASSET_BATCH_LOADED");
    EXPECT_STREQ(GetMessageTypeName(20), "UNUSED_TYPE");
    EXPECT_STREQ(GetMessageTypeName(MT_TYPE_COUNT), "UNUSED_TYPE");
}
