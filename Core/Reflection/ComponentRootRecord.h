#pragma once
// The record every component's record descends from: the base of the records of names that are
// in the component tree although the engine has no class for them (they are made by hand, with
// size 0, since no object of them is ever made).
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"

inline TypeRecord& ComponentRootRecord()
{
    return TypeRecordOf<GameObjectComponent>();
}
