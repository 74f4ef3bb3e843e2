#pragma once
// Registration of the testing subsystem with the engine. Game/Registration.cpp calls it last.
class Engine;

namespace Testing
{
// The testing system, under the name "TestingSystem" (the engine adds it only in a test run).
// Its registration also lets the Geometry script table run the geometry checks, which serve
// every run: the F2 debug pass calls them whether or not the self-tests ran.
void RegisterTesting(Engine& engine);
} // namespace Testing
