// The audio response component: its script's sound list, its "OnLoad", and the functions its
// messages and event operations call.
#include "Audio/AudioResponseComponent.h"
#include "Audio/AudioSystem.h"
#include "Core/Messages/Audio/AudioResponseOnSelect.h"
#include "Core/Messages/Audio/LoadSoundEffectMessage.h"
#include "Core/Messages/Gameplay/DefeatMessage.h"
#include "Core/Messages/Gameplay/VictoryMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Reflection/HashTypeName.h"
#include "Scripting/LuaComponent.h"
#include "Xml/XmlReader.h"
#include "tests/Audio/AudioTestWorld.h"
#include "tests/Support/QueuedMessages.h"
#include <tinyxml2.h>

using Audio::AudioResponseComponent;

namespace
{
// Every event function appends its name to the global "called".
constexpr const char* EveryFunction = R"(
called = ""
local function Note(name) called = called .. name .. "," end
function OnLoad() Note("OnLoad") end
function OnAbility0() Note("OnAbility0") end
function OnAbility1() Note("OnAbility1") end
function OnAbility2() Note("OnAbility2") end
function OnAbility3() Note("OnAbility3") end
function OnDamaged() Note("OnDamaged") end
function OnDeath() Note("OnDeath") end
function OnFinalKill() Note("OnFinalKill") end
function OnMove() Note("OnMove") end
function OnRespawn() Note("OnRespawn") end
function OnVictory() Note("OnVictory") end
function OnDefeat() Note("OnDefeat") end
function OnSelect() Note("OnSelect") end
)";

class AudioResponseTest : public AudioWorldTest
{
protected:
    void SetUp() override
    {
        AudioWorldTest::SetUp();
        WriteEffect("hit.wav", 440.0, 0.1);
        WriteEffect("step.wav", 220.0, 0.1);
        Start(SettingsScript("", ""));
    }

    // A new object with a response component reading the script file (below
    // "assets/Scripts/"), written first with the text given.
    AudioResponseComponent* MakeResponder(const std::string& file, const std::string& script)
    {
        folder.Write("assets/Scripts/" + file, script);
        GameObject* object = engine->GetFactory()->CreateObject("Hero", Engine::GenerateId());
        auto* response = static_cast<AudioResponseComponent*>(
            engine->GetFactory()->CreateComponent("AudioResponseComponent"));
        EXPECT_NE(response, nullptr);
        object->AddComponent(response);
        const std::string xml =
            "<AudioResponseComponent><Script>" + file + "</Script></AudioResponseComponent>";
        tinyxml2::XMLDocument document(true, tinyxml2::COLLAPSE_WHITESPACE);
        EXPECT_EQ(document.Parse(xml.c_str()), tinyxml2::XML_SUCCESS);
        Serializer::XmlReader reader(document.RootElement(), true);
        response->Deserialize(reader);
        return response;
    }

    static std::string Called(AudioResponseComponent& response)
    {
        std::string called;
        response.GetScript()->GetGlobalString("called", called);
        return called;
    }
};
} // namespace

TEST_F(AudioResponseTest, LoadsItsSoundsUnderItsOwnIdAndRunsOnLoadBeforeTheyAreHandled)
{
    AudioResponseComponent* response =
        MakeResponder("Audio/Hero.lua",
                      SettingsScript("", R"({ "hit", "hit.wav", 1 }, { "step", "step.wav", 1 })") +
                          EveryFunction);
    EXPECT_EQ(response->GetScript()->GetScriptName(), "Audio/Hero.lua");
    EXPECT_EQ(Called(*response), "OnLoad,");
    {
        QueuedMessages queued(*messages);
        ASSERT_EQ(queued.size(), 2u);
        for (std::size_t i = 0; i < queued.size(); ++i)
        {
            auto* load = queued.As<LoadSoundEffectMessage>(i);
            ASSERT_NE(load, nullptr);
            EXPECT_EQ(load->senderId, response->GetId());
            EXPECT_EQ(load->targetSystem, "AudioSystem");
        }
        // "OnLoad" has run and the sounds are not loaded yet.
        EXPECT_EQ(audio->FindEffect("hit"), nullptr);
    }
    EXPECT_EQ(response->GetType(), HashTypeName("AudioResponseComponent"));
}

TEST_F(AudioResponseTest, MessagesAndEventOperationsCallTheirFunctions)
{
    AudioResponseComponent* response = MakeResponder("Audio/All.lua", EveryFunction);
    const u32 object = response->GetOwner();
    Post(new VictoryMessage(0, object));
    Post(new DefeatMessage(0, object));
    Post(new AudioResponseOnSelect(0, object));
    response->OnAbility0();
    response->OnAbility1();
    response->OnAbility2();
    response->OnAbility3();
    response->OnDamaged();
    response->OnDeath();
    response->OnFinalKill();
    response->OnMove();
    response->OnRespawn();
    EXPECT_EQ(Called(*response), "OnLoad,OnVictory,OnDefeat,OnSelect,OnAbility0,OnAbility1,"
                                 "OnAbility2,OnAbility3,OnDamaged,OnDeath,OnFinalKill,OnMove,"
                                 "OnRespawn,");
}

TEST_F(AudioResponseTest, AScriptWithOnlyOnDeathReportsWhatIsMissing)
{
    AudioResponseComponent* response =
        MakeResponder("Audio/Dying.lua", "died = 0 function OnDeath() died = died + 1 end");
    EXPECT_TRUE(log->Contains("Audio/Dying.lua: Could not convert stack top to function "
                              "(GetAudioCount"));
    EXPECT_TRUE(log->Contains("(OnLoad"));
    response->OnAbility0();
    EXPECT_TRUE(log->Contains("(OnAbility0"));
    response->OnDeath();
    s32 died = 0;
    response->GetScript()->GetGlobalInt("died", died);
    EXPECT_EQ(died, 1);
    Deliver();
    EXPECT_TRUE(audio->GetEffectList().empty()) << "nothing listed, nothing loaded";
}

// A sound list of two billion entries would keep the game in its loop; one below zero names
// nothing. Both are reported, naming the script, and at most the limit is read.
TEST_F(AudioResponseTest, ASoundListCountOutOfRangeIsReportedAndCut)
{
    const std::string list = "reads = 0\n"
                             "function GetAudioName(i) reads = reads + 1 return 'hit' end\n"
                             "function GetAudioFilename(i) return 'hit.wav' end\n"
                             "function GetAudioType(i) return 1 end\n";
    AudioResponseComponent* huge =
        MakeResponder("Audio/Huge.lua", list + "function GetAudioCount() return 2^31 - 1 end\n");
    s32 reads = 0;
    huge->GetScript()->GetGlobalInt("reads", reads);
    EXPECT_EQ(reads, Audio::System::AudioSystem::MaxSoundListEntries);
    EXPECT_TRUE(log->Contains("Audio/Huge.lua names 2147483647 sounds, 256 are read"))
        << log->Text();
    AudioResponseComponent* negative =
        MakeResponder("Audio/Negative.lua", list + "function GetAudioCount() return -5 end\n");
    negative->GetScript()->GetGlobalInt("reads", reads);
    EXPECT_EQ(reads, 0);
    EXPECT_TRUE(log->Contains("Audio/Negative.lua names -5 sounds, 0 are read")) << log->Text();
    Deliver();
    EXPECT_EQ(audio->GetEffectList().size(), 1u);
}

TEST_F(AudioResponseTest, ANameListedByTwoObjectsLoadsOnce)
{
    const std::string script = SettingsScript("", R"({ "hit", "hit.wav", 1 })");
    MakeResponder("Audio/First.lua", script);
    MakeResponder("Audio/Second.lua", script);
    Deliver();
    EXPECT_EQ(audio->GetEffectList().size(), 1u);
    EXPECT_NE(audio->FindEffect("hit"), nullptr);
    EXPECT_FALSE(log->Contains("Audio error"));
}

TEST_F(AudioResponseTest, AScriptThatDoesNotLoadLoadsNothingAndCallsNothing)
{
    AudioResponseComponent* response = MakeResponder("Audio/Broken.lua", "function (");
    EXPECT_TRUE(log->Contains("Audio/Broken.lua"));
    response->OnMove();
    Deliver();
    EXPECT_TRUE(audio->GetEffectList().empty());
    // The object goes with its component and its script.
    engine->GetFactory()->DestroyObject(response->GetOwner());
}

TEST_F(AudioResponseTest, AnEventPlaysWhatTheScriptAsksForThroughTheScriptApi)
{
    AudioResponseComponent* response = MakeResponder(
        "Audio/Hit.lua", SettingsScript("", R"({ "hit", "hit.wav", 1 })") +
                             "function OnDamaged() Audio.EffectMessage(0, \"hit\", 0) end");
    Deliver();
    ASSERT_NE(audio->FindEffect("hit"), nullptr);
    response->OnDamaged();
    Deliver();
    EXPECT_EQ(audio->GetSoundSystem()->GetVoicesInUse(), 1);
    EXPECT_GT(Render(3).Rms(), 0.1);
}
