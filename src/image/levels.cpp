#include "image/levels.h"

#include <cmath>
#include <utility>

namespace vyd {

LevelTable::LevelTable() {
    for (int i = 0; i < kLevelCount; ++i) {
        Level& level = levels[i];
        level.screenRect = {};
        makeEmptyImage(level.image);
        level.shown = 1;
        level.altered = 0;
        ButtonColors unused;
        resetLevel(level, unused);
        level.name.clear();
        level.priority = static_cast<float>(i);
    }
    currentIndex = 0;
}

void setLevelName(Level& level, const std::string& name) {
    level.name = name.substr(0, kLevelNameCapacity - 1);
}

void resetLevel(Level& level, ButtonColors& buttons) {
    level.originX = level.originY = level.pivotX = level.pivotY = 0;
    level.rotationCos = 1;
    level.rotationSin = 0;
    level.scaleX = level.scaleY = 1;
    createImage(level.image, -1, 0, 0, 0);
    level.brushSize = 1;
    buttons = ButtonColors{};
}

void emptyLevelImage(Level& level) { createImage(level.image, -1, 0, 0, 0); }

void markAltered(Level& level) { level.altered = 1; }

void sortLevelsByPriority(LevelTable& table) {
    // Sort an order of slots 1..15; a pair where either priority is not a number never swaps.
    std::array<int, kLevelCount> order;
    for (int i = 0; i < kLevelCount; ++i) order[i] = i;
    for (int last = kLevelCount - 1; last > 1; --last) {
        bool swapped = false;
        for (int k = 1; k < last; ++k) {
            float earlier = table.levels[order[k]].priority;
            float later = table.levels[order[k + 1]].priority;
            if (later < earlier) {  // false whenever either is NaN
                std::swap(order[k], order[k + 1]);
                swapped = true;
            }
        }
        if (!swapped) break;
    }
    std::array<Level, kLevelCount - 1> scratch;
    for (int k = 1; k < kLevelCount; ++k) scratch[k - 1] = std::move(table.levels[order[k]]);
    for (int k = 1; k < kLevelCount; ++k) table.levels[k] = std::move(scratch[k - 1]);
    for (int i = 0; i < kLevelCount; ++i) table.levels[i].priority = static_cast<float>(i);
}

bool undoExchange(LevelTable& table) {
    Image& image = table.current().image;
    if (!sameFormat(&image, table.undoImage.get())) return false;
    std::swap(image.pixels, table.undoImage->pixels);
    return true;
}

}  // namespace vyd
