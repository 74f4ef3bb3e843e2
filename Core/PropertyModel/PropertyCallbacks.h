#pragma once
// The standard get and set callbacks of bar values. The client data is the variable or
// enumeration; the bound value is reached through it (PropertyMember::GetBoundValue).
// "Get" copies the program's value to the bar; "set" stores the bar's value in the program.
namespace Tools
{
void GetBoolCallback(void* value, void* clientData);
void SetBoolCallback(const void* value, void* clientData);
// Four bytes: a float, an int32 or a uint32.
void GetScalarCallback(void* value, void* clientData);
void SetScalarCallback(const void* value, void* clientData);
void GetFloat3Callback(void* value, void* clientData);
void SetFloat3Callback(const void* value, void* clientData);
void GetFloat4Callback(void* value, void* clientData);
void SetFloat4Callback(const void* value, void* clientData);
// A colour channel kept 0 to 1 and shown 0 to 255.
void GetColorChannelCallback(void* value, void* clientData);
void SetColorChannelCallback(const void* value, void* clientData);
void GetStringCallback(void* value, void* clientData);
void SetStringCallback(const void* value, void* clientData);
// The integer of a NamedValue; setting also sets its name to the value's label (empty when
// the table lacks the value).
void GetEnumCallback(void* value, void* clientData);
void SetEnumCallback(const void* value, void* clientData);
} // namespace Tools
