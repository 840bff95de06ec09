#include "app/dialog_fields.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace vyd {

namespace {
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

std::optional<double> scanNumber(const std::string& text) {
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && isBlank(text[i])) ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

    const size_t start = i;
    size_t digits = 0;
    while (i < n && isDigit(text[i])) ++i, ++digits;
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && isDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return std::nullopt;
    bool negativeExponent = false;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        // The exponent counts only when digits follow it.
        size_t j = i + 1;
        bool minus = false;
        if (j < n && (text[j] == '+' || text[j] == '-')) minus = text[j++] == '-';
        if (j < n && isDigit(text[j])) {
            while (j < n && isDigit(text[j])) ++j;
            i = j;
            negativeExponent = minus;
        }
    }

    double value = 0;
    const auto result = std::from_chars(text.data() + start, text.data() + i, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        value = negativeExponent ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (result.ec != std::errc()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::optional<double> readFieldNumber(const DialogFields& fields, int id) {
    return scanNumber(fields.text(id).substr(0, kFieldTextLimit));
}

}  // namespace vyd
