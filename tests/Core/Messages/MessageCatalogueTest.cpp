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
constexpr u32 SenderId = 3;
constexpr u32 Target = 12;
const std::string SomeSystemName = "SomeSystem";
const std::string& NoSystemName = Message::NoSystem;

const Math::ColorRGBA Red(1.0f, 0.0f, 0.0f, 1.0f);
const std::string RedText = "|red: 1|green: 0|blue: 0|alpha: 1|";
const Math::ColorRGBA HalfGrey(0.5f, 0.5f, 0.5f, 0.25f);
const std::string HalfGreyText = "|red: 0.5|green: 0.5|blue: 0.5|alpha: 0.25|";

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
    const std::string s = std::to_string(SenderId);
    const std::string t = std::to_string(Target);
    return {
        // Object family.
        Entry<ObjectCreateMessage>(
            "ObjectCreate", 1, 0, NoSystemName, "ObjectID: 40 created with Archetype: Golem",
            [] { return new ObjectCreateMessage(SenderId, 40, "Golem", 0); }),
        Entry<ObjectDestroyMessage>("ObjectDestroy", 2, 0, NoSystemName,
                                    s + " requested deletion of " + t,
                                    [] { return new ObjectDestroyMessage(SenderId, Target, 0); }),
        Entry<ObjectVisibilityMessage>(
            "ObjectVisibility", 3, Target, NoSystemName,
            s + " is requesting to make " + t + "visible",
            [] { return new ObjectVisibilityMessage(SenderId, true, Target); }),
        Entry<ObjectVisibilityMessage>(
            "ObjectInvisibility", 3, Target, NoSystemName,
            s + " is requesting to make " + t + "invisible",
            [] { return new ObjectVisibilityMessage(SenderId, false, Target); }),
        Entry<AddComponentMessage>(
            "AddComponent", 4, Target, NoSystemName,
            s + " wants to add component of type (none) to " + t,
            [] { return new AddComponentMessage(SenderId, nullptr, Target, Target); }),
        Entry<RemoveComponentMessage>("RemoveComponent", 5, Target, NoSystemName,
                                      s + " wants to remove componentID 77 from " + t,
                                      []
                                      { return new RemoveComponentMessage(SenderId, 77, Target); }),
        Entry<MountObjectCreateMessage>("MountObjectCreate", 6, Target, NoSystemName,
                                        "ObjectID: 41 created with Archetype: Sword",
                                        []
                                        {
                                            return new MountObjectCreateMessage(
                                                SenderId, 41, "Sword",
                                                Math::Point4(0.0f, 1.0f, 0.0f, 1.0f), Target);
                                        }),
        Entry<MountObjectRemoveMessage>(
            "MountObjectRemoveById", 7, Target, NoSystemName, s + " requested unmount of 41",
            [] { return new MountObjectRemoveMessage(SenderId, 41, false, Target); }),
        Entry<MountObjectRemoveMessage>(
            "MountObjectRemoveByArchetype", 7, Target, NoSystemName,
            s + " requested unmount of 0 and destroy",
            []
            { return new MountObjectRemoveMessage(SenderId, std::string("Sword"), true, Target); }),
        Entry<BoneMountObjectCreateMessage>(
            "BoneMountObjectCreate", 8, Target, NoSystemName,
            "ObjectID: 42 created with Archetype: Torch attached to Bone: 5",
            [] { return new BoneMountObjectCreateMessage(SenderId, 42, "Torch", 5, Target); }),
        Entry<BoneMountObjectRemoveMessage>(
            "BoneMountObjectRemoveById", 9, Target, NoSystemName,
            s + " requested unmount of 42 and destroy",
            [] { return new BoneMountObjectRemoveMessage(SenderId, 42, true, Target); }),
        Entry<BoneMountObjectRemoveMessage>(
            "BoneMountObjectRemoveByBone", 9, Target, NoSystemName, s + " requested unmount of 0",
            [] { return new BoneMountObjectRemoveMessage(SenderId, 5, "Torch", false, Target); }),
        Entry<SetOrbitAroundMessage>(
            "SetOrbitAround", 10, Target, NoSystemName,
            s + " is orbiting around the point (1, 2, 3, 1) around the axis (0, 1, 0, 0)",
            []
            {
                return new SetOrbitAroundMessage(SenderId, Vector4(1.0f, 2.0f, 3.0f, 1.0f),
                                                 Vector4(0.0f, 1.0f, 0.0f, 0.0f), Target);
            }),
        Entry<SetOrbitDistanceMessage>(
            "SetOrbitDistance", 11, Target, NoSystemName, s + " is orbiting at a distance of 2.5",
            [] { return new SetOrbitDistanceMessage(SenderId, 2.5f, Target); }),

        // Action family: one class, three types, and a text for any other type.
        Entry<ActionMessage>("ActionAdd", 12, Target, NoSystemName, "Action Add",
                             [] { return new ActionMessage(SenderId, 12, nullptr, Target); }),
        Entry<ActionMessage>("ActionStart", 13, Target, NoSystemName, "Action Start",
                             [] { return new ActionMessage(SenderId, 13, nullptr, Target); }),
        Entry<ActionMessage>("ActionFinish", 14, Target, NoSystemName, "Action Finish",
                             [] { return new ActionMessage(SenderId, 14, nullptr, Target); }),
        Entry<ActionMessage>("ActionUnknown", 44, Target, NoSystemName,
                             "UNIDENTIFIED ACTION MESSAGE",
                             [] { return new ActionMessage(SenderId, 44, nullptr, Target); }),

        // Game-state and user-interface family.
        Entry<GameStateMessage>("GameStateRestart", 15, Target, NoSystemName,
                                "Game State Message: GSM_RESTART",
                                [] { return new GameStateMessage(SenderId, GSM_RESTART, Target); }),
        Entry<GameStateMessage>(
            "GameStateExit", 15, 0, SomeSystemName, "Game State Message: GSM_EXIT",
            [] { return new GameStateMessage(SenderId, GSM_EXIT, SomeSystemName); }),
        Entry<GameStateMessage>(
            "GameStatePrevious", 15, 0, SomeSystemName, "Game State Message: GSM_PREVIOUS",
            [] { return new GameStateMessage(SenderId, GSM_PREVIOUS, SomeSystemName); }),
        Entry<GameStateMessage>(
            "GameStateNext", 15, 0, SomeSystemName, "Game State Message: GSM_NEXT",
            [] { return new GameStateMessage(SenderId, GSM_NEXT, SomeSystemName); }),
        Entry<GameStateMessage>(
            "GameStatePause", 15, 0, SomeSystemName, "Game State Message: GSM_PAUSE",
            [] { return new GameStateMessage(SenderId, GSM_PAUSE, SomeSystemName); }),
        Entry<GameStateMessage>(
            "GameStateResume", 15, 0, SomeSystemName, "Game State Message: GSM_RESUME",
            [] { return new GameStateMessage(SenderId, GSM_RESUME, SomeSystemName); }),
        Entry<GameStateMessage>("GameStateUnknown", 15, 0, SomeSystemName,
                                "Game State Message: GSM_UNKNOWN (9)",
                                [] { return new GameStateMessage(SenderId, 9, SomeSystemName); }),
        Entry<GoToStateMessage>("GoToState", 16, Target, NoSystemName, "Going to Main state.",
                                [] { return new GoToStateMessage(SenderId, "Main", Target); }),
        Entry<AddHudElementMessage>(
            "AddHudElement", 17, Target, NoSystemName, "Adding HUD element: 8 with text \"Score\"",
            []
            {
                return new AddHudElementMessage(SenderId, 8, "HudMaterial", "Score", 0.25f, 0.75f,
                                                5, 10, Target);
            }),
        Entry<RemoveHudElementMessage>(
            "RemoveHudElement", 18, Target, NoSystemName, "Removing HUD element: 8",
            [] { return new RemoveHudElementMessage(SenderId, 8, Target); }),
        Entry<SetHudVisibleMessage>(
            "SetHudVisible", 19, Target, NoSystemName, "Setting HUD element visibility: 0.5\n",
            [] { return new SetHudVisibleMessage(SenderId, 0.5f, Target); }),
        Entry<ChangePageMessage>("ChangePage", 21, Target, NoSystemName, "Change Page: Options",
                                 [] { return new ChangePageMessage(SenderId, "Options", Target); }),
        Entry<NextLevelMessage>("NextLevel", 22, 0, SomeSystemName,
                                "Going to next level and reloading next state script.",
                                [] { return new NextLevelMessage(SenderId, SomeSystemName); }),
        Entry<ChangeButtonFunctionMessage>("ChangeButtonFunction", 23, 0, SomeSystemName,
                                           "Changing Play lua function to StartGame",
                                           [] {
                                               return new ChangeButtonFunctionMessage(
                                                   SenderId, "Play", "StartGame", SomeSystemName);
                                           }),
        Entry<SetPointerPosMessage>(
            "SetPointerPos", 24, 0, SomeSystemName,
            "Setting Controller: 2 to position (0.5, -1) relative to buttons.",
            [] { return new SetPointerPosMessage(SenderId, 2, 0.5f, -1.0f, SomeSystemName); }),

        // Input family.
        Entry<KeyboardMessage>("Keyboard", 25, Target, NoSystemName, "Key KS_TRIGGER",
                               []
                               { return new KeyboardMessage(SenderId, 268, KS_TRIGGER, Target); }),
        Entry<NaturalKeyboardMessage>(
            "NaturalKeyboard", 26, 0, "InputSystem", "Natural Key KS_RELEASE",
            [] { return new NaturalKeyboardMessage(SenderId, 'a', KS_RELEASE, "InputSystem"); }),
        Entry<MouseButtonMessage>(
            "MouseButton", 27, Target, NoSystemName, "Mouse Middle Button KS_PRESSED",
            [] { return new MouseButtonMessage(SenderId, Vector2(3, 4), 2, KS_PRESSED, Target); }),
        Entry<MouseMoveMessage>("MouseMove", 28, Target, NoSystemName,
                                "Mouse Move Delta: (-2, 1.5)",
                                [] {
                                    return new MouseMoveMessage(SenderId, Vector2(10, 20),
                                                                Vector2(-2.0f, 1.5f), Target);
                                }),
        Entry<MouseWheelMessage>(
            "MouseWheel", 30, Target, NoSystemName, "Mouse Wheel Delta: 3",
            [] { return new MouseWheelMessage(SenderId, Vector2(10, 20), 3, 1, Target); }),
        Entry<ControllerButtonMessage>(
            "ControllerButton", 31, Target, NoSystemName, "Controller: DPad LeftKS_TRIGGER",
            [] { return new ControllerButtonMessage(SenderId, 1, 13, KS_TRIGGER, Target); }),
        Entry<ControllerStickMessage>(
            "ControllerStick", 32, Target, NoSystemName, "Controller: Right Stick Y -0.75",
            [] { return new ControllerStickMessage(SenderId, 0, 3, -0.75f, Target); }),
        Entry<InputMoveMessage>(
            "InputMove", 33, Target, NoSystemName, "1:Normalized Input Move: (0, -1) KS_RELEASE",
            [] { return new InputMoveMessage(SenderId, 1, Vector2(0, -1), KS_RELEASE, Target); }),
        Entry<InputCursorMessage>(
            "InputCursor", 34, Target, NoSystemName, "0:Normalized Input Cursor: (4, -3)",
            [] { return new InputCursorMessage(SenderId, 0, Vector2(4, -3), Target); }),
        Entry<InputActionMessage>(
            "InputAction", 35, Target, NoSystemName,
            "0:Normalized Input Action: ACTION_9 KS_TRIGGER",
            [] { return new InputActionMessage(SenderId, 0, 8, KS_TRIGGER, Target); }),
        Entry<InputActionMessage>(
            "InputActionPause", 35, Target, NoSystemName,
            "2:Normalized Input Action: ACTION_PAUSE KS_PRESSED",
            [] { return new InputActionMessage(SenderId, 2, 10, KS_PRESSED, Target); }),

        // Camera family: shake and switch always go to the camera system.
        Entry<CameraCycleMessage>(
            "CameraCycleNext", 37, 0, SomeSystemName, "Next Camera",
            [] { return new CameraCycleMessage(SenderId, true, SomeSystemName); }),
        Entry<CameraCycleMessage>(
            "CameraCyclePrevious", 37, 0, SomeSystemName, "Previous Camera",
            [] { return new CameraCycleMessage(SenderId, false, SomeSystemName); }),
        Entry<CameraMountMessage>(
            "CameraMountMissingObjects", 38, 0, SomeSystemName, "",
            [] { return new CameraMountMessage(SenderId, 5, 6, SomeSystemName); }),
        Entry<CameraShakeMessage>(
            "CameraShake", 39, 0, "CameraSystem", "Camera Shaking Mag:0.5 Duration: 2 Fade: 1",
            [] { return new CameraShakeMessage(SenderId, 0.5f, 2.0f, true); }),
        Entry<CameraSwitchMessage>("CameraSwitch", 40, 0, "CameraSystem", "Switching to camera: 7",
                                   [] { return new CameraSwitchMessage(SenderId, 7); }),

        // Graphics and animation family.
        Entry<WindowResizeMessage>(
            "WindowResizeToObject", 42, Target, NoSystemName, "Window Resizing To: (1280, 720)",
            [] { return new WindowResizeMessage(SenderId, Vector2(1280, 720), Target); }),
        Entry<WindowResizeMessage>(
            "WindowResizeToSystem", 42, 0, SomeSystemName, "Window Resizing To: (800, 600)",
            [] { return new WindowResizeMessage(SenderId, Vector2(800, 600), SomeSystemName); }),
        Entry<SetVisibleMessage>("SetVisible", 43, Target, NoSystemName, "Setting Object Visible.",
                                 [] { return new SetVisibleMessage(SenderId, true, Target); }),
        Entry<SetVisibleMessage>("SetInvisible", 43, Target, NoSystemName,
                                 "Setting Object Invisible.",
                                 [] { return new SetVisibleMessage(SenderId, false, Target); }),
        Entry<SetModelMessage>("SetModel", 44, Target, NoSystemName, "Change Model to: Golem.bin",
                               [] { return new SetModelMessage(SenderId, "Golem.bin", Target); }),
        Entry<SetMaterialMessage>("SetMaterial", 45, Target, NoSystemName,
                                  "Change Material to: Stone",
                                  [] { return new SetMaterialMessage(SenderId, "Stone", Target); }),
        Entry<AnimationPlayMessage>("AnimationPlay", 46, Target, NoSystemName, "Animation Starting",
                                    []
                                    { return new AnimationPlayMessage(SenderId, true, Target); }),
        Entry<AnimationPlayMessage>("AnimationStop", 46, Target, NoSystemName, "Animation Stopping",
                                    []
                                    { return new AnimationPlayMessage(SenderId, false, Target); }),
        Entry<AnimationSwapMessage>(
            "AnimationSwapLoop", 47, Target, NoSystemName,
            "Change Animation[Loop] Request: Run for GUID: " + t,
            [] { return new AnimationSwapMessage(SenderId, "Run", 1, Target); }),
        Entry<AnimationSwapMessage>(
            "AnimationSwapSingle", 47, Target, NoSystemName,
            "Change Animation[Single] Request: Die for GUID: " + t,
            [] { return new AnimationSwapMessage(SenderId, "Die", 0, Target); }),
        Entry<AnimationSpeedSetMessage>(
            "AnimationSpeedSet", 48, Target, NoSystemName,
            "Change Animation Speed: 1.5 for GUID: " + t,
            [] { return new AnimationSpeedSetMessage(SenderId, 1.5f, Target); }),
        Entry<AnimationPlayUntilMessage>(
            "AnimationPlayUntil", 49, Target, NoSystemName,
            "Play Current Animation Until: 0.75 for GUID: " + t,
            [] { return new AnimationPlayUntilMessage(SenderId, 0.75f, Target); }),
        Entry<AnimationSetTimeMessage>(
            "AnimationSetTime", 50, Target, NoSystemName,
            "Stop Current Animation At: 0.25 for GUID: " + t,
            [] { return new AnimationSetTimeMessage(SenderId, 0.25f, true, Target); }),
        Entry<TextConstructMessage>("TextConstructChange", 51, Target, NoSystemName, "Change Text",
                                    []
                                    { return new TextConstructMessage(SenderId, "Hi", Target); }),
        Entry<TextConstructMessage>("TextConstructUpdate", 51, Target, NoSystemName, "Update Text",
                                    [] { return new TextConstructMessage(SenderId, "", Target); }),
        Entry<SetGlowMessage>("SetGlow", 52, Target, NoSystemName,
                              s + " setting glow between " + RedText + " and " + HalfGreyText,
                              [] { return new SetGlowMessage(SenderId, Red, HalfGrey, Target); }),
        Entry<SetGlowToMessage>("SetGlowTo", 53, Target, NoSystemName,
                                s + " setting glow to " + RedText,
                                [] { return new SetGlowToMessage(SenderId, Red, 1.0f, Target); }),
        Entry<SetLightDiffuseToMessage>(
            "SetLightDiffuseTo", 54, Target, NoSystemName,
            s + " setting light diffuse to " + RedText,
            [] { return new SetLightDiffuseToMessage(SenderId, Red, 1.0f, Target); }),
        Entry<SetLightSpecularToMessage>(
            "SetLightSpecularTo", 55, Target, NoSystemName,
            s + " setting light specular to " + HalfGreyText,
            [] { return new SetLightSpecularToMessage(SenderId, HalfGrey, 1.0f, Target); }),
        Entry<SetLightRadiusToMessage>(
            "SetLightRadiusTo", 56, Target, NoSystemName, s + " setting light radius to 4.5",
            [] { return new SetLightRadiusToMessage(SenderId, 4.5f, 2.0f, Target); }),
        Entry<SetParticlePlayMessage>(
            "SetParticlePlayOn", 57, Target, NoSystemName,
            s + " enabling particle emitters for " + t,
            [] { return new SetParticlePlayMessage(SenderId, true, Target); }),
        Entry<SetParticlePlayMessage>(
            "SetParticlePlayOff", 57, Target, NoSystemName,
            s + " disabling particle emitters for " + t,
            [] { return new SetParticlePlayMessage(SenderId, false, Target); }),
        Entry<SetBackgroundFadeToMessage>(
            "SetBackgroundFadeTo", 58, 0, SomeSystemName, s + " setting screen fade to " + RedText,
            [] { return new SetBackgroundFadeToMessage(SenderId, Red, 0.5f, SomeSystemName); }),
        Entry<SetParticleColorMessage>(
            "SetParticleColorStart", 90, Target, NoSystemName,
            t + " setting particle start color to " + RedText,
            [] { return new SetParticleColorMessage(SenderId, Red, true, Target); }),
        Entry<SetParticleColorMessage>(
            "SetParticleColorEnd", 90, Target, NoSystemName,
            t + " setting particle end color to " + RedText,
            [] { return new SetParticleColorMessage(SenderId, Red, false, Target); }),

        // Physics family.
        Entry<CollideMessage>(
            "CollideMissingObjects", 59, Target, NoSystemName,
            "Collision message being sent to two unidentified objects:" + t + " and 13",
            [] { return new CollideMessage(SenderId, Vector4(0, 1, 0, 0), 13, true, Target); }),

        // Audio family.
        Entry<AudioSystemMessage>("AudioSystem", 63, Target, NoSystemName, "Audio System",
                                  [] { return new AudioSystemMessage(SenderId, 0, 0.5f, Target); }),
        Entry<AudioMusicMessage>("AudioMusic", 64, Target, NoSystemName, "Audio Music",
                                 []
                                 { return new AudioMusicMessage(SenderId, "Theme", 2, Target); }),
        Entry<AudioEffectMessage>("AudioEffect", 65, Target, NoSystemName, "Audio Effect",
                                  []
                                  { return new AudioEffectMessage(SenderId, "Hit", 0, Target); }),
        Entry<AudioFadeMessage>(
            "AudioFade", 66, Target, NoSystemName, "Audio Fade",
            [] { return new AudioFadeMessage(SenderId, "Theme", 2.0f, 0.1f, true, Target); }),
        Entry<LoadSoundEffectMessage>(
            "LoadSoundEffect", 67, 0, "AudioSystem", "Audio Load Sound Effect",
            [] { return new LoadSoundEffectMessage(SenderId, "hit.wav", "Hit", "AudioSystem"); }),
        Entry<LoadMusicMessage>(
            "LoadMusic", 69, 0, "AudioSystem", "Audio Load Music",
            [] { return new LoadMusicMessage(SenderId, "theme.ogg", "Theme", "AudioSystem"); }),
        Entry<AudioResponseOnSelect>("AudioResponseOnSelect", 85, Target, NoSystemName,
                                     "Audio Response: OnSelect",
                                     [] { return new AudioResponseOnSelect(SenderId, Target); }),

        // Gameplay family; the transform texts name a missing object.
        Entry<DirectionSetMessage>(
            "DirectionSet", 73, Target, NoSystemName,
            s + " attempted to set direction of non-existing object: " + t,
            [] { return new DirectionSetMessage(SenderId, Vector4(1, 0, 0, 0), Target); }),
        Entry<PositionSetMessage>(
            "PositionSet", 74, Target, NoSystemName,
            s + " attempted to set position of unfound object: " + t,
            [] { return new PositionSetMessage(SenderId, Vector4(1, 2, 3, 1), Target); }),
        Entry<ScaleSetMessage>("ScaleSet", 75, Target, NoSystemName,
                               s + " attempted to set scale of unfound object: " + t,
                               []
                               { return new ScaleSetMessage(SenderId, Vector3(2, 2, 2), Target); }),
        Entry<OrientationSetMessage>(
            "OrientationSet", 76, Target, NoSystemName,
            s + " attempted to set orientation of unfound object: " + t,
            [] { return new OrientationSetMessage(SenderId, Vector3(0, 90, 0), Target); }),
        Entry<DirectionAddMessage>(
            "DirectionAdd", 77, Target, NoSystemName,
            s + " attempted to add direction to non-existing object: " + t,
            [] { return new DirectionAddMessage(SenderId, Vector4(0, 0, 1, 0), Target); }),
        Entry<SetPlayerNumberMessage>("SetPlayerNumber", 79, Target, NoSystemName,
                                      "Attempted to set player number on an unidentified object",
                                      []
                                      { return new SetPlayerNumberMessage(SenderId, 2, Target); }),
        Entry<KillAIMessage>("KillAI", 81, 0, SomeSystemName,
                             s + " has requested that all AI entities be killed",
                             [] { return new KillAIMessage(SenderId, SomeSystemName); }),
        Entry<VictoryMessage>("Victory", 83, Target, NoSystemName, "Game Victory.",
                              [] { return new VictoryMessage(SenderId, Target); }),
        Entry<DefeatMessage>("Defeat", 84, Target, NoSystemName, "Game Defeat.",
                             [] { return new DefeatMessage(SenderId, Target); }),
        Entry<SetHealthbarColorMessage>(
            "SetHealthbarColor", 86, Target, NoSystemName, HalfGreyText,
            [] { return new SetHealthbarColorMessage(SenderId, HalfGrey, Target); }),
        Entry<ReviveDeadPlayersMessage>(
            "ReviveDeadPlayers", 87, 0, SomeSystemName, "Reviving all dead players",
            [] { return new ReviveDeadPlayersMessage(SenderId, SomeSystemName); }),
        Entry<SetEmitterIntervalMessage>(
            "SetEmitterInterval", 88, Target, NoSystemName,
            "Setting emitter emit interval to: 0.125",
            [] { return new SetEmitterIntervalMessage(SenderId, 0.125f, Target); }),
        Entry<SetEmitterCountMessage>(
            "SetEmitterCount", 89, Target, NoSystemName,
            "Setting emitter emit count range to: (2, 6)",
            [] { return new SetEmitterCountMessage(SenderId, 2.0f, 6.0f, Target); }),

        // Editor family.
        Entry<AttachPropertyEditorMessage>(
            "AttachPropertyEditor", 91, 0, SomeSystemName, "Attaching Property Editor to 40.",
            [] { return new AttachPropertyEditorMessage(SenderId, 40, 1, SomeSystemName); }),
        Entry<DetachPropertyEditorMessage>(
            "DetachPropertyEditor", 92, 0, SomeSystemName, "Detaching Property Editor.",
            [] { return new DetachPropertyEditorMessage(SenderId, SomeSystemName); }),
        Entry<AttachParticleEditorMessage>(
            "AttachParticleEditor", 93, 0, SomeSystemName, "Attaching Particle Editor to 41.",
            [] { return new AttachParticleEditorMessage(SenderId, 41, SomeSystemName); }),
        Entry<DetachParticleEditorMessage>(
            "DetachParticleEditor", 94, 0, SomeSystemName, "Detaching Particle Editor.",
            [] { return new DetachParticleEditorMessage(SenderId, SomeSystemName); }),

        // Asset loading: names nothing, so it reaches every system.
        Entry<AssetThreadDoneMessage>(
            "AssetThreadDone", 95, 0, NoSystemName, "Finished loading DefaultBatch",
            [] { return new AssetThreadDoneMessage(SenderId, "DefaultBatch"); }),
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
        EXPECT_EQ(message->senderId, SenderId);
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
        new MountObjectRemoveMessage(SenderId, std::string("Sword"), true, Target));
    EXPECT_EQ(static_cast<MountObjectRemoveMessage&>(*byArchetype).objectId, 0u);
    EXPECT_EQ(static_cast<MountObjectRemoveMessage&>(*byArchetype).archetype, "Sword");

    MessagePtr byId(new MountObjectRemoveMessage(SenderId, 41, false, Target));
    EXPECT_EQ(static_cast<MountObjectRemoveMessage&>(*byId).archetype, "");

    MessagePtr boneById(new BoneMountObjectRemoveMessage(SenderId, 42, true, Target));
    auto& bone = static_cast<BoneMountObjectRemoveMessage&>(*boneById);
    EXPECT_EQ(bone.boneIndex, -1);
    EXPECT_EQ(bone.boneIndex, BoneMountObjectRemoveMessage::AnyBone);
    EXPECT_EQ(bone.archetype, "");
    EXPECT_EQ(bone.objectId, 42u);

    MessagePtr boneByArchetype(
        new BoneMountObjectRemoveMessage(SenderId, 5, "Torch", false, Target));
    auto& named = static_cast<BoneMountObjectRemoveMessage&>(*boneByArchetype);
    EXPECT_EQ(named.objectId, 0u);
    EXPECT_EQ(named.boneIndex, 5);
    EXPECT_EQ(named.archetype, "Torch");
}

TEST(MessageCatalogue, KeyboardMessageCarriesKeyCodeAndState)
{
    MessagePtr message(new KeyboardMessage(SenderId, 268, KS_TRIGGER, 0));
    auto& keyboard = static_cast<KeyboardMessage&>(*message);
    EXPECT_EQ(keyboard.keyCode, 268u);
    EXPECT_EQ(keyboard.state, 1u);
}

TEST(InputCodes, CodesOutsideTheNameTablesPrintUnknownNames)
{
    MessagePtr key(new KeyboardMessage(SenderId, 65, 7, 0));
    EXPECT_EQ(key->ToString(), "Key KS_UNKNOWN");
    MessagePtr action(new InputActionMessage(SenderId, 0, 11, KS_NONE, 0));
    EXPECT_EQ(action->ToString(), "0:Normalized Input Action: ACTION_UNKNOWN KS_NONE");
    MessagePtr button(new ControllerButtonMessage(SenderId, 0, 14, KS_TRIGGER, 0));
    EXPECT_EQ(button->ToString(), "Controller: Unknown ButtonKS_TRIGGER");
    MessagePtr axis(new ControllerStickMessage(SenderId, 0, 5, 1.0f, 0));
    EXPECT_EQ(axis->ToString(), "Controller: Unknown Axis 1");
    MessagePtr mouse(new MouseButtonMessage(SenderId, Math::Vector2(), 3, KS_RELEASE, 0));
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
