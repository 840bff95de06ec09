// Composition files (one line per loaded level: its placement, transparent colour and file) and the numbers
// dump of a truecolor picture. Formatting and parsing only; the commands that choose, read and write the
// files live in app/composition_commands.
#pragma once

#include <string>
#include <string_view>
#include <optional>
#include <vector>

#include "image/image.h"
#include "image/levels.h"

namespace vyd {

// One line of a composition file as read: fields the line does not hold keep these defaults.
struct CompositionEntry {
    int level = 0;  // 0..15
    double originX = 0, originY = 0;
    double scaleX = 1, scaleY = 1;
    double angleDegrees = 0;
    Color leftColor = kNoColor;
    std::string name;  // the text after the line's first '/'
};

// The rotation written for a level, in degrees: atan2(sin, cos) * 180 / pi, 0 when both are 0. While rotations
// are suppressed the level's own (saved) rotation is the one that counts.
double compositionAngle(const Level& level, bool rotationsSuppressed);

// "%3d %7.2f %7.2f %7.3f %7.3f %8.3f %08lx /%s\n" for level `index`.
std::string compositionLine(int index, const Level& level, bool rotationsSuppressed);

// Reads the numbers as "%hd %lg %lg %lg %lg %lg %lx" would, field by field up to the first that fails, from the
// text before the line's first '/'. Nothing when no level number 0..15 is read (a number beyond 16 bits counts
// as out of range). A number that is infinite or not a number takes its field's default, so that a level read
// from a file can always be drawn; a colour beyond 32 bits is no colour. The line ends at its first NUL byte.
std::optional<CompositionEntry> parseCompositionLine(std::string_view line);

// The numbers file of a 24-bit picture: "%d %d\n" (width, height), then "%3d %3d %3d\n" for every pixel, rows
// from the top, its bytes in stored order (blue, green, red).
std::string numbersText(const Image& image);

}  // namespace vyd
