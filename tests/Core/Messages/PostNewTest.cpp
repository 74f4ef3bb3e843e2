// A message that cannot be had (its pool has no room) is logged under the posting part and
// dropped: nothing is queued, nothing is thrown, and the next post goes through.
#include "Core/Messages/PostNew.h"
#include "Core/Engine.h"
#include "Core/Memory/OAException.h"
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/System/MessageSystem.h"
#include "tests/Support/LogCapture.h"
#include <gtest/gtest.h>
#include <memory>

namespace
{
// Stands for a message whose pool cannot grow: its memory throws as the full pool does.
class RoomlessMessage : public Message
{
public:
    explicit RoomlessMessage(u32 sender)
        : Message(sender, MT_SELF_TEST, 0u, static_cast<u32>(sizeof(RoomlessMessage)))
    {
    }
    static void* operator new(std::size_t)
    {
        throw Core::OAException(Core::OAException::E_NO_MEMORY, "the pool is full");
    }
    static void operator delete(void* block, std::size_t size)
    {
        Message::operator delete(block, size);
    }
};

class PostingComponent : public GameObjectComponent
{
public:
    PostingComponent() : GameObjectComponent(true) {}
    u32 GetType() const override { return 4321; }
    const std::string& GetName() const override
    {
        static const std::string name = "PostingComponent";
        return name;
    }
    void Deserialize(Serializer::XmlReader&) override {}
    void Serialize(Serializer::XmlWriter&) override {}
    void PostRoomless() { PostNew<RoomlessMessage>(GetId()); }
};
} // namespace

TEST(PostNew, AFullPoolLogsTheLineAndDropsThePost)
{
    LogCapture log;
    auto engine = std::make_unique<Engine>();
    g_Engine = engine.get();
    engine->GetSystemFactory().Register<Core::System::MessageSystem>("MessagingSystem");
    auto* messages =
        static_cast<Core::System::MessageSystem*>(engine->AddSystem("MessagingSystem"));
    const std::size_t queued = messages->GetQueueSize();

    EXPECT_NO_THROW(Core::PostNew<RoomlessMessage>("Poster", 0.0f, 1u));
    PostingComponent component;
    EXPECT_NO_THROW(component.PostRoomless());
    EXPECT_EQ(messages->GetQueueSize(), queued);
    EXPECT_EQ(log.Count("Error [Poster]: no memory for a message: the pool is full"), 1u);
    EXPECT_EQ(log.Count("Error [PostingComponent]: no memory for a message: the pool is full"), 1u);

    Core::PostNew<Message>("Poster", 0.0f, 1u, static_cast<u32>(MT_SELF_TEST), 0u,
                           static_cast<u32>(sizeof(Message)));
    EXPECT_EQ(messages->GetQueueSize(), queued + 1);

    engine.reset();
    g_Engine = nullptr;
}
