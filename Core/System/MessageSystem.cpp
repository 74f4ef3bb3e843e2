#include "Core/System/MessageSystem.h"
#include "Core/Engine.h"
#include "Core/ErrorReport.h"
#include "Core/Log.h"
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"
#include "Core/Messages/Object/AddComponentMessage.h"
#include "Core/Messages/PostNew.h"
#include "Core/Messages/UserInterface/GameStateMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Objects/GameObjectComponent.h"
#include <algorithm>
#include <utility>
#include <vector>

namespace Core
{
namespace System
{
namespace
{
// How far ahead of the delivery the walk fetches messages.
constexpr std::size_t PrefetchAhead = 8;
} // namespace

MessageSystem* MessageSystem::s_instance = nullptr;

MessageSystem::MessageSystem()
{
    m_name = "MessagingSystem";
    s_instance = this;
}

MessageSystem::~MessageSystem()
{
    // A destroyed message may post another (a component shut down by its undelivered
    // add-component message, say); clear until both lists stay empty.
    do
    {
        ClearQueue();
        ClearObjectMessages();
    } while (GetQueueSize() > 0 || GetObjectMessageCount() > 0);
    if (s_instance == this)
        s_instance = nullptr;
}

void MessageSystem::Initialize(u32)
{
    // Messages posted before this system existed (the log's exit request, say) arrive now.
    if (g_Engine == nullptr)
        return;
    for (auto& [message, delay] : g_Engine->TakeHeldMessages())
    {
        message->delay = delay;
        Post(message);
    }
}

bool MessageSystem::IsObjectMessageType(u32 type)
{
    return type == MT_OBJECT_DESTROY || type == MT_ADD_COMPONENT || type == MT_REMOVE_COMPONENT;
}

void MessageSystem::Post(Message* message)
{
    if (message == nullptr)
        return;
    // Raw input becomes the abstract input messages at once. It comes from the window layer's
    // callbacks, which run on the main thread inside the buffer swap.
    if (m_inputTranslation.Translate(message))
        return;
    Accept(message);
}

void MessageSystem::Accept(Message* message)
{
    const bool isObjectMessage = IsObjectMessageType(message->type);
    if (m_postBuffers.Post(message, isObjectMessage))
        return;
    (isObjectMessage ? m_objectMessages : m_queue).Push(message);
}

void MessageSystem::Enqueue(Message* message)
{
    m_queue.Push(message);
}

Message* MessageSystem::PopFront()
{
    if (m_walk.Size() != 0)
        return m_walk.Pop();
    if (m_queue.Size() == 0)
        m_postBuffers.Collect(false, m_queue);
    return m_queue.Pop();
}

std::size_t MessageSystem::GetQueueSize() const
{
    return m_walk.Size() + m_queue.Size() + m_postBuffers.Count(false);
}

std::size_t MessageSystem::GetObjectMessageCount() const
{
    return m_objectWalk.Size() + m_objectMessages.Size() + m_postBuffers.Count(true);
}

Message* MessageSystem::DetachObjectMessage()
{
    if (m_objectWalk.Size() != 0)
        return m_objectWalk.Pop();
    if (m_objectMessages.Size() == 0)
        m_postBuffers.Collect(true, m_objectMessages);
    return m_objectMessages.Pop();
}

void MessageSystem::QueueDerived(Message* derived, const Message* source)
{
    if (derived == nullptr)
        return;
    if (source != nullptr)
    {
        derived->targetGroupId = source->targetGroupId;
        derived->targetObjectId = source->targetObjectId;
        derived->targetSystem = source->targetSystem;
        derived->delay = source->delay;
        derived->timeStamp = source->timeStamp;
    }
    Core::Log() << *derived;
    Accept(derived);
}

void MessageSystem::Update(f32 seconds)
{
    // The walk takes the queue's storage and leaves it the walk's (empty) storage of last time:
    // messages requeued or posted meanwhile go to the queue, for the next update.
    m_postBuffers.Collect(false, m_queue);
    std::swap(m_walk, m_queue);
    while (Message* message = m_walk.Pop())
    {
        // Each message lies wherever its memory came from and is seldom still cached: the ones
        // a few places ahead are fetched while this one is delivered.
        m_walk.Prefetch(PrefetchAhead);
        CountDown(message, seconds);
    }

    // Object messages posted during the main walk are carried out now, behind every due
    // queued message; a delayed one waits in the main queue from now on.
    m_postBuffers.Collect(true, m_objectMessages);
    std::swap(m_objectWalk, m_objectMessages);
    while (Message* message = m_objectWalk.Pop())
        CountDown(message, seconds);
}

void MessageSystem::CountDown(Message* message, f32 seconds)
{
    message->delay -= seconds;
    if (message->delay > 0.0f)
    {
        Enqueue(message);
        return;
    }
    Dispatch(message);
    Discard(message);
}

void MessageSystem::Dispatch(Message* message)
{
    Core::Log() << *message;
    if (message->targetObjectId != 0)
        DispatchToObject(message);
    else if (message->targetGroupId != 0)
        DispatchToGroup(message);
    else if (message->targetSystem != Message::NoSystem)
        DispatchToSystem(message);
    else if (g_Engine != nullptr)
    {
        // A handler may create a system, which appends to (and may reallocate) the list: walk
        // by index the systems that existed when the delivery began.
        const Engine::SystemList& systems = g_Engine->GetSystems();
        const std::size_t count = systems.size();
        for (std::size_t i = 0; i < count; ++i)
            systems[i]->HandleMessage(message);
    }
}

void MessageSystem::DispatchToObject(Message* message)
{
    GameFactory* factory = Engine::Factory();
    GameObject* object =
        factory != nullptr ? factory->FindObject(message->targetObjectId) : nullptr;
    if (object != nullptr)
    {
        object->HandleMessage(message);
        return;
    }
    if (message->type == MT_ADD_COMPONENT)
    {
        // The carried component is shut down and destroyed with the message itself.
        auto* add = static_cast<AddComponentMessage*>(message);
        std::string text = "Tried to add a component to an object that doesn't exist (";
        if (add->component != nullptr)
            text += std::to_string(add->component->GetType()) + ": " + add->component->GetName();
        text += ")";
        if (g_Engine != nullptr)
            g_Engine->LogError(ErrorReport(text, 0));
    }
    if (g_Engine != nullptr)
    {
        g_Engine->LogError(
            ErrorReport("Sent a message to an object that could not be located. (TYPE:" +
                            std::to_string(static_cast<s32>(message->type)) + ")",
                        0));
    }
}

void MessageSystem::DispatchToGroup(Message* message)
{
    GameFactory* factory = Engine::Factory();
    if (factory == nullptr)
        return;
    // Handlers may change the group: walk a snapshot of the member ids and deliver to each
    // member that still exists and still belongs to the group. The snapshots share one buffer
    // (a handler that dispatches again stacks its own behind this one), so a group delivery
    // allocates nothing once the buffer has grown to the largest group.
    const u32 group = message->targetGroupId;
    const std::size_t first = m_groupSnapshot.size();
    const auto end = factory->GetGroupEnd(group); // no handler runs while the snapshot is taken
    for (auto it = factory->GetGroupBegin(group); it != end; ++it)
        m_groupSnapshot.push_back((*it)->GetId());
    const std::size_t last = m_groupSnapshot.size();
    for (std::size_t i = first; i < last; ++i)
    {
        GameObject* member = factory->FindObject(m_groupSnapshot[i]);
        if (member != nullptr && member->GetGroup() == group)
            member->HandleMessage(message);
    }
    m_groupSnapshot.resize(first);
}

void MessageSystem::DispatchToSystem(Message* message)
{
    SystemComponent* system =
        g_Engine != nullptr ? g_Engine->GetSystem(message->targetSystem.Text()) : nullptr;
    if (system == nullptr)
    {
        Core::Log() << "Error [MessageSystem]: dropped a message of type " << message->type
                    << " for a system that does not exist (" << message->targetSystem << ")\n";
        return;
    }
    system->HandleMessage(message);
}

void MessageSystem::Discard(Message* message)
{
    DestroyMessage(message);
}

void MessageSystem::ClearQueue()
{
    while (GetQueueSize() > 0)
    {
        Message* message = PopFront();
        if (message == nullptr)
            break;
        Discard(message);
    }
}

void MessageSystem::ClearQueueSparing(u32 sparedType)
{
    std::vector<Message*> spared;
    while (GetQueueSize() > 0)
    {
        Message* message = PopFront();
        if (message == nullptr)
            break;
        if (message->type == sparedType)
            spared.push_back(message);
        else
            Discard(message);
    }
    for (Message* message : spared)
        Enqueue(message);
}

void MessageSystem::ClearObjectMessages()
{
    while (Message* message = DetachObjectMessage())
        Discard(message);
}

bool MessageSystem::RunTests(int)
{
    if (g_Engine == nullptr)
        return true;
    Core::PostNew<Message>("MessageSystem", 0.0f, m_id, MT_SELF_TEST, m_name, sizeof(Message));
    Core::PostNew<GameStateMessage>("MessageSystem", 0.0f, m_id, GSM_EXIT, m_name);
    return true;
}
} // namespace System
} // namespace Core
