#pragma once
// Registration of the serializer subsystem with the engine. Game/Registration.cpp calls it
// after Core::RegisterCore.
class Engine;

namespace Serializer
{
// The systems "FileSystem" and "SerializerSystem", and the asset loader's "Object" section.
// The subsystem has no component classes or type records of its own.
void RegisterSerializer(Engine& engine);
} // namespace Serializer
