#include "Core/Messages/UserInterface/GameStateMessage.h"
#include <iterator>

namespace
{
// Indexed by GameStateCommand.
const char* const CommandNames[] = {"GSM_RESTART", "GSM_EXIT",  "GSM_PREVIOUS",
                                    "GSM_NEXT",    "GSM_PAUSE", "GSM_RESUME"};
} // namespace

GameStateMessage::GameStateMessage(u32 sender, u32 stateCommand, u32 targetObject)
    : Message(sender, Type, targetObject, sizeof(GameStateMessage)), command(stateCommand)
{
}

GameStateMessage::GameStateMessage(u32 sender, u32 stateCommand, const std::string& system)
    : Message(sender, Type, system, sizeof(GameStateMessage)), command(stateCommand)
{
}

std::string GameStateMessage::ToString() const
{
    std::string text = "Game State Message: ";
    if (command < std::size(CommandNames))
        return text + CommandNames[command];
    return text + "GSM_UNKNOWN (" + std::to_string(command) + ")";
}
