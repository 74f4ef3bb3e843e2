#include "Testing/TestingRegistration.h"
#include "Core/Engine.h"
#include "Core/SystemFactory.h"
#include "Testing/TestingSystem.h"

namespace Testing
{
void RegisterTesting(Engine& engine)
{
    engine.GetSystemFactory().Register<Core::System::TestingSystem>("TestingSystem");
}
} // namespace Testing
