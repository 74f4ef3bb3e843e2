#pragma once
// Registration of the engine core's system classes with the system factory.
class SystemFactory;

namespace Core
{
void RegisterCoreSystems(SystemFactory& factory);
}
