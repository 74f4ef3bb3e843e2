// The main of every test program whose scripts call the script tables: it sets the tables'
// installer as the game's registration does, before any test makes a script, then runs the
// tests as GoogleTest's own main would.
#include "ScriptApi/ScriptApiRegistration.h"
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    Scripting::RegisterScriptTables();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
