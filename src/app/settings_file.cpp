#include "app/settings_file.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace vyd {

namespace {
constexpr size_t kMaxPaintbrush = 127;

std::string trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
    return s.substr(b, e - b);
}

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    }
    return true;
}

bool readText(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    text = s.str();
    return true;
}
}  // namespace

std::string iniValue(const std::string& text, const std::string& section, const std::string& key,
                     const std::string& fallback) {
    std::istringstream lines(text);
    std::string line;
    bool inSection = false;
    while (std::getline(lines, line)) {
        std::string t = trim(line);
        if (t.empty() || t[0] == ';') continue;
        if (t.front() == '[') {
            size_t close = t.find(']');
            inSection = close != std::string::npos && sameIgnoringCase(trim(t.substr(1, close - 1)), section);
            continue;
        }
        size_t eq = t.find('=');
        if (inSection && eq != std::string::npos && sameIgnoringCase(trim(t.substr(0, eq)), key)) {
            std::string value = trim(t.substr(eq + 1));
            if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
            return value;
        }
    }
    return fallback;
}

std::string readPaintbrushSetting() {
    std::string text;
    bool found = readText("VYD.INI", text);
    if (!found) {
        std::string dir;
        if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
            dir = xdg;
        } else if (const char* home = std::getenv("HOME"); home && *home) {
            dir = std::string(home) + "/.config";
        }
        if (!dir.empty()) found = readText(dir + "/vyd/VYD.INI", text);
    }
    std::string value = found ? iniValue(text, "VYD", "pbrush", "xdg-open") : "xdg-open";
    return value.substr(0, kMaxPaintbrush);
}

}  // namespace vyd
