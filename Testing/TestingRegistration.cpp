#include "Testing/TestingRegistration.h"
#include "Core/Engine.h"
#include "Core/SystemFactory.h"
#include "Scripting/ScriptServices.h"
#include "Testing/GeometryTests.h"
#include "Testing/TestingSystem.h"

namespace Testing
{
void RegisterTesting(Engine& engine)
{
    engine.GetSystemFactory().Register<Core::System::TestingSystem>("TestingSystem");
    Scripting::Services().runGeometryTest.Install(&RunGeometryTest);
}
} // namespace Testing
