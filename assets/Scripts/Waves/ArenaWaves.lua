-- The arena's waves. The level state starts this script when its first players are in, by
-- creating the "ArenaWaves" object, whose game-state component loads it; the Lua system then
-- calls Update every frame until the level destroys that object. At each wave's time (seconds since the
-- script started) the wave's spawners are placed; each spawner sends its enemies in timed
-- waves of its own and removes itself when its time is up.
--
-- The level is won when every wave has been placed (WavesLeft() == 0) and no enemy and no
-- spawner is left (Logic.GetAICount() and Logic.GetSpawnerCount() both 0). Each wave is placed
-- before the spawners of the one before it have run out, so that the level state, which sees
-- only the enemy and spawner counts, never finds the arena empty between two waves.

-- A lone player must be able to win: the first wave sends one brawler from each side every five
-- seconds (the spawner definitions hold the counts), the second the archers and pairs of speedy
-- pests, the third the tanks, which burst into two pests each, and the drifters, two at a time.
-- Each spawner runs on for more than the 1.5 s its last wave's enemies take to come in, so that
-- the level, which counts only the enemies already in, is not won while some are on their way.
-- The play-to-win tests (tests/Game/PlayToWin) play the level through with each hero.

-- { time, { spawner definition, x, z }, ... }
local waves = {
    { time = 0,  spawners = { { "SpawnerAIMelee", -12, 0 }, { "SpawnerAIMelee", 12, 0 } } },
    { time = 15, spawners = { { "SpawnerAIRanged", 0, -14 }, { "SpawnerAISpeedy", 0, 14 } } },
    { time = 30, spawners = { { "SpawnerAITank", -14, -14 }, { "SpawnerAIFlock", 14, 14 } } },
}

-- Spawners are placed by no object in particular.
local sender = 0
local elapsed = 0
local nextWave = 1

function Update(dt)
    elapsed = elapsed + dt
    while waves[nextWave] ~= nil and elapsed >= waves[nextWave].time do
        for _, spawner in ipairs(waves[nextWave].spawners) do
            local id = Engine.CreateObject(sender, spawner[1])
            Object.Position(sender, id, spawner[2], 0, spawner[3])
        end
        nextWave = nextWave + 1
    end
end

function WavesLeft()
    return #waves - nextWave + 1
end

function IsCleared()
    return WavesLeft() == 0 and Logic.GetAICount() == 0 and Logic.GetSpawnerCount() == 0
end
