// The sixteen image levels: level 0 is the background, 1..15 are objects laid over it.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "image/image.h"

namespace vyd {

inline constexpr int kLevelCount = 16;
inline constexpr int kTopLevel = kLevelCount - 1;  // the working level of derivations and the wash
inline constexpr size_t kLevelNameCapacity = 1024;  // longest name a level keeps, counting a terminating byte

struct ScreenRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct Level {
    std::string name;  // file the image came from; "<clipboard>" for a pasted one; empty = none
    uint8_t altered = 0;
    uint8_t shown = 1;
    Image image;
    double originX = 0, originY = 0;
    double rotationCos = 1, rotationSin = 0;
    double pivotX = 0, pivotY = 0;
    double scaleX = 1, scaleY = 1;
    double savedRotationCos = 1, savedRotationSin = 0;
    ScreenRect screenRect;
    float priority = 0;
    int8_t brushSize = 1;
};

// Painting colours of the three mouse buttons; resetting a level resets them too.
struct ButtonColors {
    Color left = 0x000000;
    Color middle = 0x808080;
    Color right = 0xFFFFFF;
};

struct LevelTable {
    std::array<Level, kLevelCount> levels;
    int currentIndex = 0;
    std::unique_ptr<Image> undoImage;  // made on first use

    LevelTable();  // the start-up state
    Level& current() { return levels[currentIndex]; }
    const Level& current() const { return levels[currentIndex]; }
    Level& operator[](int i) { return levels[i]; }
    const Level& operator[](int i) const { return levels[i]; }
};

// Stores a name, keeping at most what the 1024-byte buffer held.
void setLevelName(Level& level, const std::string& name);
void resetLevel(Level& level, ButtonColors& buttons);
void emptyLevelImage(Level& level);
void markAltered(Level& level);
// Bubble-sorts levels 1..15 by priority (level 0 stays), then renumbers every priority to its index.
void sortLevelsByPriority(LevelTable& table);
// Exchanges the current image's buffer with the undo image's when they have the same format.
bool undoExchange(LevelTable& table);

}  // namespace vyd
