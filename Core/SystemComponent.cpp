#include "Core/SystemComponent.h"
#include "Core/Engine.h"

SystemComponent::SystemComponent() : m_id(Engine::GenerateId()) {}

SystemComponent::~SystemComponent() = default;

void SystemComponent::IdleUpdate(f32) {}
