#pragma once
// How a whole-game run judges its log: a line that holds "Error" reports an error, except the
// reports that fighting makes without a fault, a hit (or its effect) sent to an object that an
// earlier message of the same frame destroyed (the message system drops it and says so).
#include <string>

class LogErrors
{
public:
    static constexpr const char* ErrorText = "Error";

    // A report about a vanished target.
    static bool IsVanishedTarget(const std::string& line)
    {
        if (line.find(ErrorText) == std::string::npos)
            return false;
        static const char* const vanishedTargets[] = {
            "Sent a message to an object that could not be located",
            "Tried to add a component to an object that doesn't exist"};
        for (const char* text : vanishedTargets)
        {
            if (line.find(text) != std::string::npos)
                return true;
        }
        return false;
    }
    // An error line, vanished targets not counted.
    static bool IsError(const std::string& line)
    {
        return line.find(ErrorText) != std::string::npos && !IsVanishedTarget(line);
    }
};
