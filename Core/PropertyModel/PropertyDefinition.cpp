#include "Core/PropertyModel/PropertyDefinition.h"
#include "TweakBar/TweakBar.h"
#include <algorithm>

namespace Tools
{
void PropertyDefinition::SetKey(const std::string& key, const std::string& value)
{
    SetKeyIn(m_definition, key, value);
}

void PropertyDefinition::ApplyDefinition() const
{
    TwDefine(m_definition.c_str());
}

void PropertyDefinition::SetKeyIn(std::string& definition, const std::string& key,
                                  const std::string& value)
{
    std::string safeValue = value;
    std::replace(safeValue.begin(), safeValue.end(), '\'', '`');

    const std::string item = " " + key + "='";
    const std::size_t start = definition.find(' ');
    const std::size_t found =
        start == std::string::npos ? std::string::npos : definition.find(item, start);
    if (found != std::string::npos)
    {
        const std::size_t valueStart = found + item.size();
        const std::size_t valueEnd = definition.find('\'', valueStart);
        if (valueEnd != std::string::npos)
        {
            definition.replace(valueStart, valueEnd - valueStart, safeValue);
            return;
        }
    }
    if (definition.empty() || definition.back() != ' ')
        definition += ' ';
    definition += key + "='" + safeValue + "' ";
}
} // namespace Tools
