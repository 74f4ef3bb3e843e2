#pragma once
// The editor-bar calls the editing tools make, in one place: the bar layer's own header, plus
// the calls this branch needs before that layer offers them. Only the property model and the
// bar assets include this header, so a change of the layer's spelling is mended here.
#include "Platform/TweakBar.h"
#include <cstddef>
#include <string>
#include <vector>

// A bar of the layer; opaque to its callers.
struct TwBar;

// Value type codes the editing tools pass for their variables.
constexpr TwType TW_TYPE_BOOLCPP = 1;
constexpr TwType TW_TYPE_INT32 = 10;
constexpr TwType TW_TYPE_UINT32 = 11;
constexpr TwType TW_TYPE_FLOAT = 12;
constexpr TwType TW_TYPE_COLOR4F = 16;
constexpr TwType TW_TYPE_DIR3F = 21;
// std::string values; kept apart from every other code.
constexpr TwType TW_TYPE_STDSTRING = 0x2fff0000 + static_cast<TwType>(sizeof(std::string));

using TwSetVarCallback = void (*)(const void* value, void* clientData);
using TwGetVarCallback = void (*)(void* value, void* clientData);
using TwButtonCallback = void (*)(void* clientData);
using TwSummaryCallback = void (*)(char* summary, std::size_t maxLength, const void* value,
                                   void* clientData);

struct TwStructMember
{
    const char* Name;
    TwType Type;
    std::size_t Offset;
    const char* DefString;
};

enum TwParamValueType
{
    TW_PARAM_INT32,
    TW_PARAM_FLOAT,
    TW_PARAM_DOUBLE,
    TW_PARAM_CSTRING,
};

TwBar* TwNewBar(const char* barName);
int TwDeleteBar(TwBar* bar);
int TwDefine(const char* definition);
int TwAddVarCB(TwBar* bar, const char* name, TwType type, TwSetVarCallback setCallback,
               TwGetVarCallback getCallback, void* clientData, const char* definition);
int TwAddButton(TwBar* bar, const char* name, TwButtonCallback callback, void* clientData,
                const char* definition);
int TwAddSeparator(TwBar* bar, const char* name, const char* definition);
int TwRemoveVar(TwBar* bar, const char* name);
TwType TwDefineStruct(const char* name, const TwStructMember* members, unsigned int memberCount,
                      std::size_t structSize, TwSummaryCallback summaryCallback,
                      void* summaryClientData);
int TwGetParam(TwBar* bar, const char* varName, const char* paramName, TwParamValueType valueType,
               unsigned int maxCount, void* values);
const char* TwGetLastError();
void TwCopyStdStringToLibrary(std::string& libraryString, const std::string& clientString);

// Until the bar layer offers its inspection calls: the member names and definitions of a
// struct type defined so far (empty for an unknown name), for tests.
namespace TweakBarStub
{
struct StructMemberRecord
{
    std::string name;
    std::string definition;
};
std::vector<StructMemberRecord> GetStructMembers(const std::string& structName);
} // namespace TweakBarStub
