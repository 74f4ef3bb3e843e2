#include "Core/SystemComponent.h"
#include "Core/Engine.h"

SystemComponent::SystemComponent() : m_id(Engine::GenerateId()) {}

SystemComponent::~SystemComponent() = default;

void SystemComponent::IdleUpdate(f32) {}

void SystemComponent::HandleMessage(Message*) {}

void SystemComponent::Register(GameObjectComponent*) {}

void SystemComponent::Unregister(GameObjectComponent*) {}

bool SystemComponent::RunTests(int)
{
    return true;
}
