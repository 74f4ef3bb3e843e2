#include "Tools/Model/BarCalls.h"
#include <map>
// Stand-ins for the bar calls the layer does not offer yet: bars are handles that record
// nothing, and every call succeeds. Struct types take codes from a range of their own.

struct TwBar
{
    std::string name;
};

namespace
{
constexpr TwType StructTypeBase = 5000;
TwType g_nextStructType = StructTypeBase;
std::map<std::string, std::vector<TweakBarStub::StructMemberRecord>>& Structs()
{
    static std::map<std::string, std::vector<TweakBarStub::StructMemberRecord>> structs;
    return structs;
}
} // namespace

std::vector<TweakBarStub::StructMemberRecord>
TweakBarStub::GetStructMembers(const std::string& structName)
{
    const auto found = Structs().find(structName);
    return found != Structs().end() ? found->second
                                    : std::vector<TweakBarStub::StructMemberRecord>();
}

TwBar* TwNewBar(const char* barName)
{
    return new TwBar{barName != nullptr ? barName : ""};
}

int TwDeleteBar(TwBar* bar)
{
    delete bar;
    return 1;
}

int TwDefine(const char*)
{
    return 1;
}

int TwAddVarCB(TwBar*, const char*, TwType, TwSetVarCallback, TwGetVarCallback, void*, const char*)
{
    return 1;
}

int TwAddButton(TwBar*, const char*, TwButtonCallback, void*, const char*)
{
    return 1;
}

int TwAddSeparator(TwBar*, const char*, const char*)
{
    return 1;
}

int TwRemoveVar(TwBar*, const char*)
{
    return 1;
}

TwType TwDefineStruct(const char* name, const TwStructMember* members, unsigned int memberCount,
                      std::size_t, TwSummaryCallback, void*)
{
    std::vector<TweakBarStub::StructMemberRecord>& kept = Structs()[name != nullptr ? name : ""];
    kept.clear();
    for (unsigned int i = 0; i < memberCount; ++i)
        kept.push_back({members[i].Name, members[i].DefString});
    return g_nextStructType++;
}

int TwGetParam(TwBar*, const char*, const char*, TwParamValueType, unsigned int, void*)
{
    return 0;
}

const char* TwGetLastError()
{
    return nullptr;
}

void TwCopyStdStringToLibrary(std::string& libraryString, const std::string& clientString)
{
    libraryString = clientString;
}
