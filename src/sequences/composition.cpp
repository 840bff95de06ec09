#include "sequences/composition.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "util/text_format.h"

namespace vyd {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isHexDigit(char c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// The numbers of a line, read one field after the other from a NUL-terminated text, each skipping the blanks
// before it. Every conversion checks its range instead of overflowing.
class FieldReader {
public:
    explicit FieldReader(const char* text) : at_(text) {}

    // A decimal integer; a value beyond the long range comes back saturated (out of any level's range).
    std::optional<long> integer() {
        const char* start = skipBlanks();
        if (!isDigit(*(*start == '+' || *start == '-' ? start + 1 : start))) return std::nullopt;
        char* end = nullptr;
        const long value = std::strtol(start, &end, 10);
        at_ = end;
        return value;
    }

    std::optional<double> real() {
        const char* start = skipBlanks();
        char* end = nullptr;
        const double value = std::strtod(start, &end);
        if (end == start) return std::nullopt;
        at_ = end;
        return value;
    }

    // A hexadecimal number (a "0x" prefix and a sign allowed) as a 32-bit value; beyond 32 bits: no colour.
    std::optional<Color> colour() {
        const char* start = skipBlanks();
        const bool negative = *start == '-';
        if (*start == '+' || *start == '-') ++start;
        if (!isHexDigit(*start)) return std::nullopt;
        errno = 0;
        char* end = nullptr;
        const unsigned long long magnitude = std::strtoull(start, &end, 16);
        at_ = end;
        if (errno == ERANGE || magnitude > 0xFFFFFFFFull) return kNoColor;
        const Color value = static_cast<Color>(magnitude);
        return negative ? static_cast<Color>(0u - value) : value;
    }

private:
    const char* skipBlanks() {
        while (isBlank(*at_)) ++at_;
        return at_;
    }
    const char* at_;
};

// A number read from a file that is infinite or not a number gives way to the field's default.
void storeFinite(const std::optional<double>& value, double& target) {
    if (value && std::isfinite(*value)) target = *value;
}

// "%3d" of a byte, for the numbers file.
struct ByteTexts {
    char text[256][3];
    ByteTexts() {
        for (int v = 0; v < 256; ++v) {
            text[v][0] = v >= 100 ? static_cast<char>('0' + v / 100) : ' ';
            text[v][1] = v >= 10 ? static_cast<char>('0' + v / 10 % 10) : ' ';
            text[v][2] = static_cast<char>('0' + v % 10);
        }
    }
};

}  // namespace

double compositionAngle(const Level& level, bool rotationsSuppressed) {
    const double c = rotationsSuppressed ? level.savedRotationCos : level.rotationCos;
    const double s = rotationsSuppressed ? level.savedRotationSin : level.rotationSin;
    if (c == 0 && s == 0) return 0;
    return std::atan2(s, c) * 180 / std::numbers::pi;
}

std::string compositionLine(int index, const Level& level, bool rotationsSuppressed) {
    return formatText("%3d %7.2f %7.2f %7.3f %7.3f %8.3f %08lx /%s\n", index, level.originX, level.originY,
                      level.scaleX, level.scaleY, compositionAngle(level, rotationsSuppressed),
                      static_cast<unsigned long>(level.image.leftColor), level.name.c_str());
}

std::optional<CompositionEntry> parseCompositionLine(std::string_view line) {
    line = line.substr(0, line.find('\0'));
    const size_t slash = line.find('/');
    const std::string numbers(line.substr(0, slash));
    FieldReader fields(numbers.c_str());

    const std::optional<long> level = fields.integer();
    if (!level || *level < 0 || *level >= kLevelCount) return std::nullopt;
    CompositionEntry entry;
    entry.level = static_cast<int>(*level);
    if (slash != std::string_view::npos) entry.name = std::string(line.substr(slash + 1));

    double* const reals[] = {&entry.originX, &entry.originY, &entry.scaleX, &entry.scaleY, &entry.angleDegrees};
    for (double* target : reals) {
        const std::optional<double> value = fields.real();
        if (!value) return entry;
        storeFinite(value, *target);
    }
    if (const std::optional<Color> colour = fields.colour()) entry.leftColor = *colour;
    return entry;
}

std::string numbersText(const Image& image) {
    static const ByteTexts kBytes;
    const int width = image.hasPixels() ? std::max(image.width(), 0) : 0;
    const int height = image.hasPixels() ? std::max(image.height(), 0) : 0;
    std::string text = formatText("%d %d\n", image.width(), image.height());
    text.reserve(text.size() + size_t(width) * size_t(height) * 12);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = image.row(y);
        for (int x = 0; x < width; ++x) {
            for (int k = 0; k < 3; ++k) {
                text.append(kBytes.text[row[3 * x + k]], 3);
                text += k < 2 ? ' ' : '\n';
            }
        }
    }
    return text;
}

}  // namespace vyd
