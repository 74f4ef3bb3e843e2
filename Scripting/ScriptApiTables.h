#pragma once
// The fill functions of the script API tables, one per table, defined by table area in the
// ScriptApi_*.cpp files; ScriptApi.cpp calls them in registration order. Each binds its entries
// into the open namespace in the table's order.
#include "Scripting/Namespace.h"

namespace Scripting
{
namespace Api
{
// The engine function of the entries that accept their arguments and do nothing.
template <class... Args> void NoOp(Args...) {}

void FillGlobalTable(const Namespace& table);
void FillEngineTable(const Namespace& table);
void FillInputTable(const Namespace& table);
void FillLogicTable(const Namespace& table);
void FillTestTable(const Namespace& table);
} // namespace Api
} // namespace Scripting
