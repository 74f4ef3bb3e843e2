#include "Core/Objects/GameObjectComponent.h"
#include "Core/CoreServices.h"
#include "Core/Engine.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Reflection/TypeRecord.h"

QUILL_DEFINE_TYPE_RECORD(GameObjectComponent, nullptr, false)

GameObjectComponent::GameObjectComponent(bool assignId)
    : m_owner(0), m_id(assignId ? Engine::GenerateId() : 0)
{
}

GameObjectComponent::~GameObjectComponent()
{
    // Whatever still shows this component (an editor bar) lets go of it now, whichever way it
    // was destroyed.
    Core::Services().componentDestroyed(this, m_owner);
}

GameObject* GameObjectComponent::GetOwnerObject() const
{
    GameFactory* factory = Engine::Factory();
    return m_owner != 0 && factory != nullptr ? factory->FindObject(m_owner) : nullptr;
}

void GameObjectComponent::BuildEditor(Tools::PropertyGroup&) {}

void GameObjectComponent::Shutdown() {}

void GameObjectComponent::HandleMessage(Message*) {}
