// End to end: a script reads two pictures, places the second with the level details box, and saves the
// display and the assembled picture; both must show the pixels worked out here from the two pictures.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/script_runner.h"

namespace fs = std::filesystem;

namespace {

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A 24-bit uncompressed BMP as rows of 0xRRGGBB values, top row first.
std::vector<std::vector<uint32_t>> readTruecolorBmp(const fs::path& path, int& width, int& height) {
    const std::string bytes = readAll(path);
    auto u32 = [&](size_t at) {
        return uint32_t(uint8_t(bytes[at])) | uint32_t(uint8_t(bytes[at + 1])) << 8 |
               uint32_t(uint8_t(bytes[at + 2])) << 16 | uint32_t(uint8_t(bytes[at + 3])) << 24;
    };
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M' || (u32(28) & 0xFFFF) != 24) return {};
    width = static_cast<int>(u32(18));
    height = static_cast<int>(u32(22));
    const size_t offset = u32(10), rowBytes = (3 * size_t(width) + 3) & ~size_t{3};
    if (bytes.size() < offset + rowBytes * height) return {};
    std::vector<std::vector<uint32_t>> rows(height, std::vector<uint32_t>(width));
    for (int y = 0; y < height; ++y) {
        const size_t row = offset + (height - 1 - y) * rowBytes;
        for (int x = 0; x < width; ++x) {
            const size_t p = row + 3 * x;
            rows[y][x] = uint32_t(uint8_t(bytes[p])) | uint32_t(uint8_t(bytes[p + 1])) << 8 |
                         uint32_t(uint8_t(bytes[p + 2])) << 16;
        }
    }
    return rows;
}

uint32_t rgb(int r, int g, int b) { return uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b); }

// The two pictures of tests/data/compose, as they were made.
uint32_t ground(int x, int y) { return rgb(20 * x, 20 * y, 100); }
uint32_t patch(int u, int v) { return rgb(200 + 10 * u, 50 * v + 1, 7); }

}  // namespace

TEST(PlacementScript, DisplayAndAssemblyShowTheTurnedStretchedLevel) {
    const fs::path scripts = fs::path(VYD_SOURCE_DIR) / "tests" / "scripts";
    const fs::path work = fs::temp_directory_path() / ("vyd_placement_" + std::to_string(getpid()));
    fs::remove_all(work);
    fs::create_directories(work);
    fs::create_directory_symlink(fs::path(VYD_TEST_DATA), work / "data");
    const fs::path before = fs::current_path();
    fs::current_path(work);
    std::ostringstream out, err;
    const int status = vyd::runScript(readAll(scripts / "place_turned_level.vys"), out, err);
    fs::current_path(before);
    ASSERT_EQ(status, 0) << err.str();
    EXPECT_EQ(out.str(), readAll(scripts / "place_turned_level.expected"));

    // Level 1 (4 x 3) has its corner (0,0) at (2, 8), columns stretched by 2 and turned by 90 degrees
    // counter-clockwise: column u runs up the picture, two rows a column, and row v runs right. Each picture
    // pixel shows the level pixel under its top-left corner: u = (8 - y) / 2, v = x - 2.
    for (const char* name : {"placed_display.bmp", "placed_assembly.bmp"}) {
        int width = 0, height = 0;
        const auto pixels = readTruecolorBmp(work / name, width, height);
        ASSERT_EQ(width, 12) << name;
        ASSERT_EQ(height, 10) << name;
        for (int y = 0; y < 10; ++y) {
            for (int x = 0; x < 12; ++x) {
                const int u = (8 - y) / 2, v = x - 2;
                const bool onLevel = y <= 8 && 8 - y < 2 * 4 && v >= 0 && v < 3;
                const uint32_t expected = onLevel ? patch(u, v) : ground(x, y);
                ASSERT_EQ(pixels[y][x], expected) << name << " at " << x << "," << y;
            }
        }
    }
    fs::remove_all(work);
}
