#pragma once
// Registration of the serializer subsystem's system classes with the system factory.
class SystemFactory;

namespace Serializer
{
// "FileSystem" and "SerializerSystem", and the asset loader's "Object" section.
void RegisterSerializerSystems(SystemFactory& factory);
} // namespace Serializer
