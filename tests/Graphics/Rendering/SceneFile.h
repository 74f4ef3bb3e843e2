#pragma once
// Scene files of the screenshot tests (tests/Graphics/Scenes), shared with the deferred-frame
// benchmark. A scene file's root holds inline object definitions, created in file order, and
// three settings: <Skybox> (the definition the sky is made from), <Fade R G B/> (the background
// fade, 0-1) and <DebugDraw/> (F2 pressed once). The object named "View" carries the camera the
// frame is seen through.
//
// The engine reads "assets/..." from its working directory: MakeSceneAssetTree fills one with
// links to the shipped asset folders and a graphics settings script of its own window size.
#include "Core/Engine.h"
#include "Core/Messages/Input/KeyboardMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Graphics/Components/CameraComponent.h"
#include "Graphics/GraphicsSystem.h"
#include "Graphics/System/CameraSystem.h"
#include "Serializer/SerializerSystem.h"
#include <filesystem>
#include <fstream>
#include <string>
#include <tinyxml2.h>

namespace SceneFile
{
// Asset folders a scene reads as shipped; the settings script is the scene's own.
inline const char* const SharedAssets[] = {"AssetBatch",     "Fonts",   "Materials",
                                           "Models",         "Objects", "ParticleEffects",
                                           "ShaderPrograms", "Shaders", "Textures"};

// Links the shipped asset folders of the repository into `folder`/assets and writes a settings
// script for a window of the given size. False when a link or the script cannot be made.
inline bool MakeSceneAssetTree(const std::filesystem::path& repository,
                               const std::filesystem::path& folder, int width, int height)
{
    std::error_code error;
    const std::filesystem::path assets = folder / "assets";
    std::filesystem::create_directories(assets / "Scripts" / "System", error);
    for (const char* name : SharedAssets)
    {
        std::filesystem::create_directory_symlink(repository / "assets" / name, assets / name,
                                                  error);
        if (error)
            return false;
    }
    std::ofstream settings(assets / "Scripts" / "System" / "GraphicsSystemScript.lua");
    settings << "fullscreen = false\nwidth = " << width << "\nheight = " << height << "\n";
    return static_cast<bool>(settings);
}

// The scene's objects and settings applied to a started engine.
inline void BuildScene(const tinyxml2::XMLElement* root, Graphics::System::GraphicsSystem& graphics)
{
    GameFactory& factory = *g_Engine->GetFactory();
    for (const tinyxml2::XMLElement* element = root->FirstChildElement(); element != nullptr;
         element = element->NextSiblingElement())
    {
        const std::string name = element->Name();
        if (name == "Skybox")
            graphics.CreateSkybox(element->GetText() != nullptr ? element->GetText() : "");
        else if (name == "Fade")
            graphics.SetFade(element->FloatAttribute("R"), element->FloatAttribute("G"),
                             element->FloatAttribute("B"));
        else if (name == "DebugDraw")
        {
            KeyboardMessage f2(0, Graphics::System::GraphicsSystem::KeyF2, KS_TRIGGER, 0);
            graphics.HandleMessage(&f2);
        }
        else
        {
            GameObject* object = factory.CreateObject(name, Engine::GenerateId());
            if (object == nullptr)
                continue;
            Serializer::System::SerializerSystem::ApplyDefinition(*object, element);
            auto* camera = object->GetComponent<Graphics::CameraComponent>();
            auto* cameras = Graphics::System::CameraSystem::Instance();
            if (name == "View" && camera != nullptr && cameras != nullptr)
                cameras->SetActiveCamera(camera);
        }
    }
}
} // namespace SceneFile
