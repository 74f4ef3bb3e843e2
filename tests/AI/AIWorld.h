#pragma once
// The stage of the AI tests: the game-rule stage (tests/Logic/LogicWorld.h) with the AI
// subsystem registered and its system running. Frames are stepped by hand: Deliver hands out
// the posted messages, Tick runs the logic system, then the AI system, with any frame time.
#include "AI/AIControllerComponent.h"
#include "AI/AIRegistration.h"
#include "AI/AISystem.h"
#include "AI/WorldStateComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Logic/Containers/HealthContainerComponent.h"
#include "Logic/Movement/MoveComponent.h"
#include "Math/MathUtils.h"
#include "tests/Logic/LogicWorld.h"
#include <sstream>
#include <string>

class AIWorld : public LogicWorld
{
public:
    void SetUp() override
    {
        LogicWorld::Start();
        AI::RegisterAI(*engine);
        engine->AddSystem("AISystem");
        Math::SeedRand(1);
    }

    AI::System::AISystem& AISys() { return *AI::System::AISystem::Instance(); }
    AI::WorldStateComponent& World() { return *AISys().GetWorldState(); }
    void Tick(f32 seconds)
    {
        LogicWorld::Tick(seconds);
        AISys().Update(seconds);
    }

    // A transform at (x, 0, z), written as a definition's component.
    static std::string At(f32 x, f32 z)
    {
        std::ostringstream text;
        text << "<TransformComponent><position X=\"" << x << "\" Y=\"0\" Z=\"" << z
             << "\"/><orientation X=\"0\" Y=\"0\" Z=\"0\"/><scale X=\"1\" Y=\"1\" Z=\"1\"/>"
                "<relativeToCreator>0</relativeToCreator>"
                "<updateRelativeToCreator>0</updateRelativeToCreator></TransformComponent>";
        return text.str();
    }
    static std::string Health(f32 current = 100.0f, f32 maximum = 100.0f)
    {
        std::ostringstream text;
        text << "<HealthContainerComponent><f32>" << current << "</f32><f32>0</f32><f32>" << maximum
             << "</f32></HealthContainerComponent>";
        return text.str();
    }
    // A player character of a tracked kind at (x, 0, z).
    GameObject* Player(f32 x, f32 z, const std::string& name = "CharacterGolem")
    {
        return Make(name,
                    At(x, z) + Health() +
                        "<SimpleControllerComponent><s32>0</s32></SimpleControllerComponent>");
    }
    // An enemy with a move component, an AI controller and the given behaviours.
    GameObject* Enemy(f32 x, f32 z, const std::string& behaviours,
                      const std::string& name = "CharacterAIMelee")
    {
        return Make(name, At(x, z) + Health() +
                              "<ConstantMoveComponent><f32>0</f32></ConstantMoveComponent>"
                              "<AIControllerComponent/>" +
                              behaviours);
    }
    static Logic::MoveComponent& Move(GameObject& object)
    {
        return *object.GetComponent<Logic::MoveComponent>();
    }
    static TransformComponent& Transform(GameObject& object)
    {
        return *object.GetComponent<TransformComponent>();
    }
    // The object's first component of class T, or null.
    template <typename T> static T* Get(const GameObject& object)
    {
        for (const GameObject::ComponentEntry& entry : object.GetComponentList())
        {
            if (auto* component = dynamic_cast<T*>(entry.component))
                return component;
        }
        return nullptr;
    }
};
