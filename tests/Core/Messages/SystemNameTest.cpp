#include "Core/Messages/SystemName.h"
#include "Core/Messages/Message.h"
#include <gtest/gtest.h>
#include <sstream>
#include <string>

TEST(SystemName, NamesCompareByContentAndReadAsTheirText)
{
    const SystemName fromText("AudioSystem");
    const SystemName fromString(std::string("AudioSystem"));
    EXPECT_EQ(&fromText.Text(), &fromString.Text()) << "one shared copy per name";
    EXPECT_TRUE(fromText == fromString);
    EXPECT_TRUE(fromText == "AudioSystem");
    EXPECT_TRUE(std::string("AudioSystem") == fromText);
    EXPECT_TRUE(fromText != "InputSystem");
    EXPECT_FALSE(fromText == static_cast<const char*>(nullptr));
    const std::string& text = fromText;
    EXPECT_EQ(text, "AudioSystem");
    std::ostringstream stream;
    stream << fromText;
    EXPECT_EQ(stream.str(), "AudioSystem");
    EXPECT_EQ(SystemName(static_cast<const char*>(nullptr)), "");
}

TEST(SystemName, NoSystemIsTheSharedConstant)
{
    const Message message(0, 0, 0u, sizeof(Message));
    EXPECT_EQ(&message.targetSystem.Text(), &Message::NoSystem);
    EXPECT_TRUE(message.targetSystem == Message::NoSystem);
    const Message named(0, 0, std::string("No System"), sizeof(Message));
    EXPECT_TRUE(named.targetSystem == Message::NoSystem) << "compared by content";
}
