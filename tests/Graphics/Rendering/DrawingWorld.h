#pragma once
// The stage of the headless drawing tests: an engine with the core and graphics components
// registered (no graphics system, so no window), and an asset folder with models, materials and
// program files loaded into their managers. Programs load without a context and have no GL
// object, which the recorder does not need.
//
// Models: "Quad" (static, 2 triangles), "Rock" (static, 1), "Hero" (skinned, 1 triangle, two
// bones, bone 1 two units above bone 0; animations "Idle" 2 s, "Wave" 1 s, "Default" 1 s).
// Materials "Default" and "Stone". Programs: "Default" and "Lit" (Static and Skinned), "Flat"
// (Static only).
#include "Core/Components/TransformComponent.h"
#include "Core/CoreRegistration.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Graphics/Assets/MaterialManager.h"
#include "Graphics/Assets/ModelManager.h"
#include "Graphics/Assets/ShaderProgramManager.h"
#include "Graphics/Formats/FbxBinWriter.h"
#include "Graphics/GraphicsRegistration.h"
#include "Xml/XmlReader.h"
#include "tests/Support/RecordingEngineTest.h"
#include "tests/Support/TempFiles.h"
#include <memory>
#include <string>
#include <tinyxml2.h>

class DrawingWorld : public RecordingEngineTest
{
protected:
    void SetUp() override
    {
        RecordingEngineTest::SetUp();
        Core::RegisterCoreComponents(engine->GetFactory()->GetComponentFactory());
        Graphics::RegisterGraphics(*engine);
        folder = std::make_unique<TempFolder>("quill-drawing");
        WriteModel("Quad", Graphics::StaticVertexType, 2, false);
        WriteModel("Rock", Graphics::StaticVertexType, 1, false);
        WriteModel("Hero", Graphics::SkinnedVertexType, 1, true);
        folder->Write("assets/Materials/Default.xml", "<Material/>");
        folder->Write("assets/Materials/Stone.xml", "<Material/>");
        const std::string both = "<Program>Static<VertexShader>S.vs</VertexShader></Program>"
                                 "<Program>Skinned<VertexShader>K.vs</VertexShader></Program>";
        folder->Write("assets/ShaderPrograms/Default.xml", both);
        folder->Write("assets/ShaderPrograms/Lit.xml", both);
        folder->Write("assets/ShaderPrograms/Flat.xml",
                      "<Program>Static<VertexShader>S.vs</VertexShader></Program>");
        models = std::make_unique<Graphics::ModelManager>();
        models->LoadAll(0);
        materials = std::make_unique<Graphics::MaterialManager>();
        materials->LoadAll(0);
        programs = std::make_unique<Graphics::ShaderProgramManager>();
        programs->LoadAll(0);
    }
    void TearDown() override
    {
        // Assets come from the engine's allocator: they go first. Components only point at them.
        programs.reset();
        materials.reset();
        models.reset();
        RecordingEngineTest::TearDown();
        folder.reset();
    }

    GameFactory& Factory() { return *engine->GetFactory(); }
    const Graphics::Model* Model(const char* name) const { return models->Find(name, 0); }
    const Graphics::Material* Material(const char* name) const { return materials->Find(name, 0); }
    const Graphics::ShaderProgram* Program(const char* name, u32 category) const
    {
        return programs->Find(name, category);
    }

    // An object with a transform at the position.
    GameObject* MakeObject(f32 x = 0.0f, f32 y = 0.0f, f32 z = 0.0f)
    {
        GameObject* object = Factory().CreateObject("Thing", Engine::GenerateId());
        Add<TransformComponent>(object)->SetPosition(x, y, z);
        return object;
    }
    // A component added to the object, then read from the members in xml (an element whose
    // children are the members) when given.
    template <class T> T* Add(GameObject* object, const std::string& xml = std::string())
    {
        GameObjectComponent* component = Factory().CreateComponent(T::GetTypeName());
        object->AddComponent(component);
        if (!xml.empty())
        {
            tinyxml2::XMLDocument document;
            document.Parse(xml.c_str());
            Serializer::XmlReader reader(document.RootElement(), true);
            component->Deserialize(reader);
        }
        return static_cast<T*>(component);
    }

    std::unique_ptr<TempFolder> folder;
    std::unique_ptr<Graphics::ModelManager> models;
    std::unique_ptr<Graphics::MaterialManager> materials;
    std::unique_ptr<Graphics::ShaderProgramManager> programs;

private:
    void WriteModel(const std::string& name, u32 vertexType, u32 triangles, bool skeleton)
    {
        Graphics::ModelFile model;
        model.hasMesh = true;
        model.vertexType = vertexType;
        model.stride = Graphics::VertexStrideOf(vertexType);
        model.vertexCount = 3 * triangles;
        model.triangleCount = triangles;
        model.vertices.resize(model.vertexCount * model.stride);
        for (u32 i = 0; i < model.vertexCount; ++i)
            model.indices.push_back(i);
        if (skeleton)
        {
            model.hasSkeleton = true;
            Graphics::BoneRecord root;
            root.name = "Root";
            Graphics::BoneRecord tip;
            tip.name = "Tip";
            tip.parent = 0;
            tip.localTranslation = Math::Vector3(0.0f, 2.0f, 0.0f);
            model.bones = {root, tip};
            const std::pair<const char*, f32> animations[] = {
                {"Idle", 2.0f}, {"Wave", 1.0f}, {"Default", 1.0f}};
            for (const auto& entry : animations)
            {
                Graphics::AnimationRecord animation;
                animation.name = entry.first;
                animation.duration = entry.second;
                Graphics::KeyRecord start;
                Graphics::KeyRecord end;
                end.time = entry.second;
                Graphics::KeyRecord tipStart = start;
                Graphics::KeyRecord tipEnd = end;
                tipStart.translation = tip.localTranslation;
                tipEnd.translation = tip.localTranslation;
                animation.tracks = {{start, end}, {tipStart, tipEnd}};
                model.animations.push_back(animation);
            }
        }
        folder->MakeFolder("assets/Models/bin");
        Graphics::FbxBinWriter writer;
        writer.WriteMesh(model);
        if (skeleton)
        {
            writer.WriteSkeleton(model.bones);
            writer.WriteAnimations(model.animations);
        }
        writer.WriteEnd();
        writer.Save(folder->Path("assets/Models/bin/" + name + ".fbxbin"));
    }
};
