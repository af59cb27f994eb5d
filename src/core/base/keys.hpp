#pragma once
// The key codes the play field answers to; the window program maps its keyboard onto them and a
// demo file records them.

namespace kelvar::key {

inline constexpr int Pause = 19;
inline constexpr int Escape = 27;
inline constexpr int Space = 32;
inline constexpr int Left = 37;
inline constexpr int Right = 39;

} // namespace kelvar::key
