#pragma once

// Both floors have the game window's size, so that their pictures cost the same.
inline constexpr int kFloorWidth = 449;
inline constexpr int kFloorHeight = 576;
