-- The sounds of the mage: one per ability, plus the sounds every player character shares. The
-- audio response component loads the listed sounds and calls the event functions, which
-- Modules/CharacterAudio.lua defines for the mage.

local CharacterAudio = require("Modules.CharacterAudio")
CharacterAudio.InstallPlayer("Mage", "mage")
