#pragma once
// Type 15: a command to the game-state system (restart, exit, previous, next, pause, resume).
// Sent by the engine's quit operation, the log system and the game-state script entries.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

enum GameStateCommand : u32
{
    GSM_RESTART = 0,
    GSM_EXIT = 1,
    GSM_PREVIOUS = 2,
    GSM_NEXT = 3,
    GSM_PAUSE = 4,
    GSM_RESUME = 5,
};

class GameStateMessage : public Message
{
public:
    static constexpr u32 Type = MT_GAME_STATE;

    GameStateMessage(u32 senderId, u32 command, u32 targetObjectId);
    GameStateMessage(u32 senderId, u32 command, const std::string& targetSystem);

    std::string ToString() const override;

    u32 command; // a GameStateCommand
};
