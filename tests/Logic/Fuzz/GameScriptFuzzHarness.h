#pragma once
// Runs one input as the scripts of the game's own roles: it is written as a state, a page, an
// ability and an emitter script below a scratch asset tree, each is loaded by a script component
// as the game-state system, a page, an ability and an emitter load theirs, and the engine then
// calls every callback of that role in the order the game does, with the results read by the
// helpers the game uses (the ability's tables also fill a real damage modifier). The world holds
// the systems these scripts reach through the script API (messages, serializer, game state, user
// interface, rules), so entries act as in the game; whatever an input creates is destroyed
// before the next. Budget and memory limit are lowered so that a runaway input ends quickly,
// and the libraries that reach outside the process are taken away. Shared by the libFuzzer
// target and the test that replays its saved corpus.
#include <cstddef>
#include <cstdint>
#include <memory>

class Engine;

class GameScriptFuzzWorld
{
public:
    GameScriptFuzzWorld();
    ~GameScriptFuzzWorld();
    GameScriptFuzzWorld(const GameScriptFuzzWorld&) = delete;
    GameScriptFuzzWorld& operator=(const GameScriptFuzzWorld&) = delete;

    void Run(const std::uint8_t* data, std::size_t size);

private:
    std::unique_ptr<Engine> m_engine;
};
