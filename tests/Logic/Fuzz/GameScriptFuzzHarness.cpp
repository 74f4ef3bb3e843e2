#include "tests/Logic/Fuzz/GameScriptFuzzHarness.h"
#include "Core/CoreRegistration.h"
#include "Core/Engine.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRegistry.h"
#include "Core/System/MessageSystem.h"
#include "GameState/GameStateRegistration.h"
#include "Logic/Emitters/EmitterComponent.h"
#include "Logic/LogicRegistration.h"
#include "Logic/Modifiers/DamageModifierComponent.h"
#include "Scripting/LuaComponent.h"
#include "Scripting/ScriptingRegistration.h"
#include "Serializer/SerializerRegistration.h"
#include "tests/Platform/Fuzz/FuzzWorkFolder.h"
#include <algorithm>
#include <string>

namespace
{
// About half a million instructions per call, and 16 MB per state.
constexpr u32 FuzzBudgetLooks = 50;
constexpr std::size_t FuzzMemoryLimit = 16u * 1024u * 1024u;
constexpr f32 FrameStep = 1.0f / 60.0f;
// GetModifier is asked at most this often, as the ability asks at most its own maximum.
constexpr u32 MostModifiers = 8;

// What a fuzzed script must not reach: files, other programs, the end of the process.
constexpr const char WithoutTheOutside[] =
    "os = {time = os.time, clock = os.clock, date = os.date}\n"
    "io, require, dofile, loadfile, package = nil, nil, nil, nil, nil\n";

const char* const StateFile = "States/Fuzz.lua";
const char* const PageFile = "Pages/Fuzz.lua";
const char* const AbilityFile = "Abilities/Fuzz.lua";
const char* const EmitterFile = "Emitters/Fuzz.lua";
// Emissions of the driven interval, as a small emitter's count range gives, at its place.
constexpr u32 EmissionCount = 2;
constexpr f32 EmitterX = 3.0f;
constexpr f32 EmitterY = 0.0f;
constexpr f32 EmitterZ = -4.0f;

// A script component of the role, under the lowered limits, with the input loaded from its file
// after the prelude; null when the input does not load (the component has reported why).
Scripting::LuaComponent* LoadRole(const char* file)
{
    Scripting::LuaComponent* script = Scripting::LuaComponent::Create();
    if (script == nullptr)
        return nullptr;
    Scripting::ScriptLimits& limits = script->GetLimits();
    limits.budgetLooks = FuzzBudgetLooks;
    limits.memoryLimit = FuzzMemoryLimit;
    if (!script->LoadText("prelude", WithoutTheOutside, sizeof(WithoutTheOutside) - 1) ||
        !script->Load(file))
    {
        Scripting::LuaComponent::Destroy(script);
        return nullptr;
    }
    script->ClearStack();
    return script;
}

// The state machine's calls: entered, initialised when its batch is in, two frames, left.
void DriveState(Scripting::LuaComponent& state)
{
    state.Call("Load");
    state.Call("Initialize");
    state.CallWithFloat("UpdateState", FrameStep);
    state.CallUpdate(FrameStep);
    state.CallWithFloat("UpdateState", FrameStep);
    state.Call("Free");
    state.Call("Unload");
}

// A page's calls: opened, a frame, a controller moving and pressing, the named callbacks.
void DrivePage(Scripting::LuaComponent& page)
{
    s32 allowed = 0;
    page.Call("Load");
    page.CallWithFloat("UpdatePage", FrameStep);
    page.CallIntReturnInt("CanControllerMove", 0, allowed);
    page.CallWithIntAndShort("ControllerMovedToNewButton", 0, 2);
    page.CallWithInt("PlayButton", 0);
    page.CallWithInt("ReturnClicked", 1);
    page.CallWithInt("ResumeClicked", 2);
    page.CallUpdate(FrameStep);
}

// An ability's reads and calls: the projectile's tables and modifiers (one real damage
// modifier reads its table), fired by its character, a hit, a level-up and enrage.
void DriveAbility(Scripting::LuaComponent& ability, GameFactory& factory)
{
    f32 lifetime = 0.0f;
    f32 moveRate = 0.0f;
    u32 hits = 0;
    ability.GetTableFloat("Ability", "lifetime", lifetime);
    ability.GetTableFloat("Ability", "moveRate", moveRate);
    ability.GetTableNumber("Ability", "numObjsToHit", hits);
    s32 count = 0;
    ability.CallReturnInt("GetModifierCount", count);
    const u32 asked = std::min(static_cast<u32>(std::max(count, 0)), MostModifiers);
    for (u32 index = 1; index <= asked; ++index)
    {
        std::string name;
        ability.CallUnsignedReturnString("GetModifier", index, name);
    }
    GameObjectComponent* component =
        factory.CreateComponent(Logic::DamageModifierComponent::GetTypeName());
    if (auto* modifier = dynamic_cast<Logic::DamageModifierComponent*>(component))
        modifier->LoadFromScript(ability, modifier->GetScriptTableName());
    if (component != nullptr)
        factory.DestroyComponent(component);

    const u32 character = Engine::GenerateId();
    bool flag = false;
    ability.CallBoolFunction("ActivateAbility", character, flag);
    ability.CallReturnBool("IsCooledDown", flag);
    ability.CallWithTwoUnsigned("OnCollide", Engine::GenerateId(), Engine::GenerateId());
    ability.Call("LevelUp");
    ability.Call("EnrageAbility");
    ability.Call("UnEnrageAbility");
    ability.CallUpdate(FrameStep);
}

// An emitter's calls: told its owner, an interval of emissions at its place, then a frame.
void DriveEmitter(Scripting::LuaComponent& emitter)
{
    using Logic::EmitterComponent;
    emitter.CallWithUnsigned(EmitterComponent::OwnerFunction, Engine::GenerateId());
    for (u32 i = 0; i < EmissionCount; ++i)
        emitter.CallWithThreeFloats(EmitterComponent::EmitFunction, EmitterX, EmitterY, EmitterZ);
    emitter.CallWithThreeFloats(EmitterComponent::IntervalFunction, EmitterX, EmitterY, EmitterZ);
    emitter.CallUpdate(FrameStep);
}

void DeliverMessages()
{
    if (Core::System::MessageSystem* messages = Core::System::MessageSystem::Instance())
    {
        messages->Update(0.0f);
        messages->Update(0.0f);
    }
}
} // namespace

GameScriptFuzzWorld::GameScriptFuzzWorld()
{
    FuzzWorkFolder::Enter folder;
    m_engine = std::make_unique<Engine>();
    g_Engine = m_engine.get();
    Core::RegisterCore(*m_engine);
    Serializer::RegisterSerializer(*m_engine);
    Scripting::RegisterScripting(*m_engine);
    GameState::RegisterGameState(*m_engine);
    Logic::RegisterLogic(*m_engine);
    InitializeTypeRegistry();
    for (const char* system : {"MessagingSystem", "ScriptingSystem", "SerializerSystem",
                               "GameStateSystem", "UISystem", "LogicSystem"})
        m_engine->AddSystem(system);
}

GameScriptFuzzWorld::~GameScriptFuzzWorld()
{
    FuzzWorkFolder::Enter folder;
    m_engine.reset();
    g_Engine = nullptr;
}

void GameScriptFuzzWorld::Run(const std::uint8_t* data, std::size_t size)
{
    for (const char* file : {StateFile, PageFile, AbilityFile, EmitterFile})
        FuzzWorkFolder::WriteFile(std::string(Scripting::LuaComponent::ScriptDirectory) + file,
                                  data, size);
    FuzzWorkFolder::Enter folder;
    const u32 firstId = Engine::GenerateId();
    GameFactory& factory = *m_engine->GetFactory();
    if (Scripting::LuaComponent* state = LoadRole(StateFile))
    {
        DriveState(*state);
        Scripting::LuaComponent::Destroy(state);
    }
    if (Scripting::LuaComponent* page = LoadRole(PageFile))
    {
        DrivePage(*page);
        Scripting::LuaComponent::Destroy(page);
    }
    if (Scripting::LuaComponent* ability = LoadRole(AbilityFile))
    {
        DriveAbility(*ability, factory);
        Scripting::LuaComponent::Destroy(ability);
    }
    if (Scripting::LuaComponent* emitter = LoadRole(EmitterFile))
    {
        DriveEmitter(*emitter);
        Scripting::LuaComponent::Destroy(emitter);
    }
    // What the scripts posted is handed out, then everything they made goes.
    DeliverMessages();
    factory.DestroyObjectsFrom(firstId);
    DeliverMessages();
    Scripting::LuaComponent::FreeDestroyed();
}
