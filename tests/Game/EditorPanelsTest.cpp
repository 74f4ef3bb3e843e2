// Covers: PropertyEditor, PropertyGroup, ToolsSystem, GameObjectComponent.
// Every component the game registers builds its editor panel in the property editor, alone on
// an object, without the systems or assets of a running game; a panel that adds entries ends
// with the "Options" group of "Delete" and "Copy".
#include "Core/Engine.h"
#include "Core/Objects/ComponentFactory.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRegistry.h"
#include "Game/Registration.h"
#include "Tools/PropertyBar.h"
#include "Tools/PropertyEditor.h"
#include "Tools/ToolsSystem.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>

TEST(EditorPanels, EveryComponentBuildsItsPanelAlone)
{
    Engine engine;
    Game::RegisterSubsystems(engine);
    InitializeTypeRegistry();
    auto tools = std::make_unique<Tools::System::ToolsSystem>();
    tools->Initialize(0);
    Tools::PropertyEditor& editor = *tools->GetPropertyEditor();
    GameFactory& factory = *engine.GetFactory();

    for (const ComponentFactory::Entry& entry : factory.GetComponentFactory().GetEntries())
    {
        GameObject* object = factory.CreateObject(entry.typeName, Engine::GenerateId());
        GameObjectComponent* component = factory.CreateComponent(entry.typeName);
        ASSERT_NE(component, nullptr) << entry.typeName;
        object->AddComponent(component);
        editor.AttachTo(*object, false);
        Tools::PropertyGroup* panel = editor.FindBar()->FindGroup(component);
        ASSERT_NE(panel, nullptr) << entry.typeName;
        // Every light kind shows its "Shadow Caster" flag.
        if (std::string(entry.typeName).find("LightComponent") != std::string::npos)
        {
            EXPECT_TRUE(panel->HasMembers()) << entry.typeName;
        }
        if (panel->HasMembers())
        {
            ASSERT_FALSE(panel->GetChildGroups().empty()) << entry.typeName;
            EXPECT_NE(panel->GetChildGroups().back()->GetDefinition().find("label='Options'"),
                      std::string::npos)
                << entry.typeName;
        }
        factory.DestroyObject(object->GetId());
        tools->Update(0.0f);
    }
    tools.reset();
}
