#pragma once
// The game's recordings, by what each sounds for. The build takes its list of recordings from
// this enumeration (src/resources/sounds.cmake reads it): one `Name = id,` a line.

namespace kelvar::sound {

enum Id : int {
    EnemyHit = 15,
    Launch = 16,
    Impact = 17,
    GetReady = 19,
    Blast = 20,
    GameOver = 24,
    LevelClear = 25,
};

} // namespace kelvar::sound
