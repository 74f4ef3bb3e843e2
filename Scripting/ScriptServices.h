#pragma once
// The scripting layer's service hooks: what a script entry asks at once of a subsystem above
// Scripting (change a page, switch a camera, read a player), without including it. The entries
// stay in the script tables (ScriptApi_*.cpp), in their fixed order; an entry that needs such a
// subsystem calls its hook here, and the owning subsystem installs the hook when its system
// starts and removes it when the system stops (Core/ServiceHook.h). Until then the entry does
// nothing and answers 0, false or an empty name, as every script entry does without its target.
// Scripts run during start-up, before most systems exist, so every entry must expect that.
//
// Adding a hook: a member below named after the entry's action, with a comment naming its owner
// and what it answers. Requests that may wait for the next delivery are messages, not hooks.
// Main thread only.
#include "Core/ServiceHook.h"
#include "Math/Point4.h"
#include "Math/Types.h"
#include <string>
#include <vector>

class GameObjectComponent;

namespace Scripting
{
// The geometry self-tests a script can run; each draws its result with the debug drawing.
enum class GeometryTest : u32
{
    Quaternions,        // the orientation built from the "geo" script's pitch, yaw and roll
    CursorSpheres,      // the cursor ray against every sphere collider
    DistCircle3Circle3, // circle-to-circle distance
    DistLine3Circle3,   // line-to-circle distance
    GroundPlane,        // the ground plane
    CameraFrustum,      // the camera frustum
};

// How a floating-text effect is set up: what it shows, for how long, its three shaping vectors
// (in the order the effect takes them) and whether its results are temporary.
struct FloatingTextSetup
{
    f32 duration;
    std::string text;
    Math::Point4 first;
    Math::Point4 second;
    Math::Point4 third;
    bool temporary;
};

struct ScriptServices
{
    // User interface (owner: the user-interface system, GameState::System::UISystem).
    // Adds a button made from the "Button" definition to the current page under the name, with
    // its material, function name, position and element alignment word; nothing without a
    // current page.
    ServiceHook<void(const std::string& material, const std::string& function,
                     const std::string& name, f32 x, f32 y, u32 elementAlignment)>
        addButton;
    // Creates a "HudElement" object and hands it its material, text, position and alignment
    // words; answers the element's object id (0 when nothing was made).
    ServiceHook<u32(const std::string& material, const std::string& text, f32 x, f32 y,
                    u32 screenAlignment, u32 elementAlignment)>
        addHudElement;
    // Moves the HUD component of the object; nothing when the object or the component is
    // missing.
    ServiceHook<void(u32 objectId, f32 x, f32 y)> setHudElementPos;
    // Gives the HUD component of the object the named material; nothing when either is missing.
    ServiceHook<void(u32 objectId, const std::string& material)> changeHudElementTexture;
    // Clears the single-button highlight.
    ServiceHook<void()> stopSingleHighlight;
    // Sets the visibility value of the current page's named button; nothing without the page
    // or the button.
    ServiceHook<void(const std::string& button, f32 value)> setButtonVisibility;
    // The name of the page that was current before the last page change; empty for none.
    ServiceHook<std::string()> previousPageName;

    // Graphics (owner: the graphics system, Graphics::System::GraphicsSystem).
    // Creates the skybox object from the named definition.
    ServiceHook<void(const std::string& definition)> createSkybox;
    // Switches between window and full screen.
    ServiceHook<void()> toggleFullScreen;
    // Fixes each fade channel at its value (no movement).
    ServiceHook<void(f32 red, f32 green, f32 blue)> setFade;
    // Shows or hides the heads-up display.
    ServiceHook<void(bool shown)> setHudShown;
    // Deletes every particle effect (owner: the particle effect system).
    ServiceHook<void()> destroyParticleEffects;

    // Cameras (owner: the camera system).
    // Makes the first registered camera the active one.
    ServiceHook<void()> makeCameraSafe;
    // Creates the cursor object from the "Cursor" definition and answers its id (0: none).
    ServiceHook<u32()> createCursor;

    // The match (owners: the AI system for its counts, the logic system for the rest).
    // The number of computer-controlled characters (owner: the AI system).
    ServiceHook<u32()> aiCount;
    // The number of registered spawners (owner: the AI system).
    ServiceHook<u32()> spawnerCount;
    // The game-object ids of the player characters in the logic system's order; empty for none.
    ServiceHook<std::vector<u32>()> playerObjectIds;
    // The current and maximum value of the object's health container; false when the object
    // or its container is missing.
    ServiceHook<bool(u32 objectId, f32& current, f32& maximum)> healthOf;
    // A new effect component of the named type made by the component factory and set up with
    // its remaining duration, its value and its temporary flag, not yet applied; null when the
    // type is unknown. The caller owns it.
    ServiceHook<GameObjectComponent*(const std::string& typeName, f32 duration, f32 value,
                                     bool temporary)>
        makeEffect;
    // A new floating-text effect component set up as given; null when none can be made. The
    // caller owns it.
    ServiceHook<GameObjectComponent*(const FloatingTextSetup& setup)> makeFloatingText;

    // Runs one geometry self-test at once (owner: the testing subsystem).
    ServiceHook<void(GeometryTest test)> runGeometryTest;
};

// The process's one table.
ScriptServices& Services();
} // namespace Scripting
