// Helpers of the black-box tests: run scripts and conversions in process, write input pictures with small
// writers of our own, and decode the program's outputs with a small reader of our own.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/convert_tool.h"
#include "platform/script_runner.h"

namespace acc {

namespace fs = std::filesystem;

struct Outcome {
    int status = 0;
    std::string out, err;
};

inline Outcome script(const std::string& text) {
    std::ostringstream out, err;
    Outcome r;
    r.status = vyd::runScript(text, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

inline Outcome convert(const std::vector<std::string>& args) {
    std::ostringstream err;
    Outcome r;
    r.status = vyd::runConvert(args, err);
    r.err = err.str();
    return r;
}

inline bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

inline std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> all;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) all.push_back(line);
    return all;
}

inline std::vector<std::string> linesStarting(const std::string& text, const std::string& prefix) {
    std::vector<std::string> found;
    for (const auto& l : lines(text))
        if (l.rfind(prefix, 0) == 0) found.push_back(l);
    return found;
}

// The last "level I ..." line of the transcript.
inline std::string levelLine(const std::string& text, int i) {
    std::string want = "level " + std::to_string(i) + " ";
    std::string last;
    for (const auto& l : lines(text))
        if (l.rfind(want, 0) == 0) last = l;
    return last;
}

inline std::string viewLine(const std::string& text) {
    std::string last;
    for (const auto& l : lines(text))
        if (l.rfind("view ", 0) == 0) last = l;
    return last;
}

// The value of KEY=VALUE in a state line ("" when missing).
inline std::string field(const std::string& line, const std::string& key) {
    std::string want = " " + key + "=";
    size_t at = line.find(want);
    if (at == std::string::npos) return "";
    at += want.size();
    if (at < line.size() && line[at] == '"') {
        size_t end = line.find('"', at + 1);
        return line.substr(at + 1, end - at - 1);
    }
    size_t end = line.find(' ', at);
    return line.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

class TempDir {
public:
    TempDir() {
        static int counter = 0;
        path_ = fs::temp_directory_path() /
                ("vyd_acc_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempDir() { std::error_code ec; fs::remove_all(path_, ec); }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    fs::path path_;
};

inline void put16(std::vector<uint8_t>& b, unsigned v) { b.push_back(v & 0xFF); b.push_back((v >> 8) & 0xFF); }
inline void put32(std::vector<uint8_t>& b, uint32_t v) { put16(b, v & 0xFFFF); put16(b, v >> 16); }
inline unsigned get16(const std::vector<uint8_t>& b, size_t at) { return b[at] | (b[at + 1] << 8); }
inline uint32_t get32(const std::vector<uint8_t>& b, size_t at) { return get16(b, at) | (get16(b, at + 2) << 16); }

inline void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<uint8_t> readBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

// Colour values: blue in the low byte, then green, then red.
inline uint32_t bgr(unsigned b, unsigned g, unsigned r) { return b | (g << 8) | (r << 16); }

// A BMP with 1, 4, 8 or 24 bits a pixel. values are rows from the top: indices, or colour values for 24 bits.
inline std::vector<uint8_t> makeBmp(int bits, int w, int h, const std::vector<uint32_t>& values,
                                    const std::vector<uint32_t>& palette = {}, int compression = 0,
                                    int extraOffset = 0) {
    int colours = bits <= 8 ? (1 << bits) : 0;
    int rowBytes = ((bits * w + 31) / 32) * 4;
    std::vector<uint8_t> b;
    uint32_t offset = 54 + 4 * colours + extraOffset;
    b.push_back('B');
    b.push_back('M');
    put32(b, offset + rowBytes * h);
    put32(b, 0);
    put32(b, offset);
    put32(b, 40);
    put32(b, w);
    put32(b, h);
    put16(b, 1);
    put16(b, bits);
    put32(b, compression);
    put32(b, rowBytes * h);
    put32(b, 2835);
    put32(b, 2835);
    put32(b, 0);
    put32(b, 0);
    for (int i = 0; i < colours; ++i) put32(b, i < static_cast<int>(palette.size()) ? palette[i] : 0);
    for (int i = 0; i < extraOffset; ++i) b.push_back(0);
    for (int y = h - 1; y >= 0; --y) {
        std::vector<uint8_t> row(rowBytes, 0);
        for (int x = 0; x < w; ++x) {
            uint32_t v = values[y * w + x];
            if (bits == 24) {
                row[3 * x] = v & 0xFF;
                row[3 * x + 1] = (v >> 8) & 0xFF;
                row[3 * x + 2] = (v >> 16) & 0xFF;
            } else if (bits == 8) {
                row[x] = static_cast<uint8_t>(v);
            } else if (bits == 4) {
                row[x / 2] |= (v & 15) << (x % 2 ? 0 : 4);
            } else {
                row[x / 8] |= (v & 1) << (7 - x % 8);
            }
        }
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}

// The sixteen colours of the default palette as colour values (index bits: blue 1, green 2, red 4, bright 8).
inline std::vector<uint32_t> defaultSixteen() {
    std::vector<uint32_t> p(16);
    for (int i = 0; i < 16; ++i) {
        unsigned hi = (i & 8) ? 255 : 170;
        p[i] = bgr((i & 1) ? hi : 0, (i & 2) ? hi : 0, (i & 4) ? hi : 0);
    }
    p[0] = 0;
    p[7] = bgr(170, 170, 170);
    p[8] = bgr(85, 85, 85);
    p[15] = bgr(255, 255, 255);
    return p;
}

struct Bmp {
    bool ok = false;
    int w = 0, h = 0, bits = 0;
    uint32_t offset = 0, fileSize = 0, fileBytes = 0;
    std::vector<uint32_t> palette;
    std::vector<uint32_t> values;  // rows from the top: indices, or colour values for 24 bits
    uint32_t at(int x, int y) const { return values[y * w + x]; }
    uint32_t colour(int x, int y) const { return bits <= 8 ? (palette[at(x, y)] & 0xFFFFFF) : at(x, y); }
};

inline Bmp readBmp(const std::string& path) {
    Bmp r;
    std::vector<uint8_t> b = readBytes(path);
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return r;
    r.fileBytes = static_cast<uint32_t>(b.size());
    r.fileSize = get32(b, 2);
    r.offset = get32(b, 10);
    uint32_t headerSize = get32(b, 14);
    r.w = static_cast<int32_t>(get32(b, 18));
    r.h = static_cast<int32_t>(get32(b, 22));
    r.bits = get16(b, 28);
    int colours = r.bits <= 8 ? (1 << r.bits) : 0;
    for (int i = 0; i < colours; ++i) r.palette.push_back(get32(b, 14 + headerSize + 4 * i));
    int rowBytes = ((r.bits * r.w + 31) / 32) * 4;
    if (b.size() < r.offset + static_cast<size_t>(rowBytes) * r.h) return r;
    r.values.resize(static_cast<size_t>(r.w) * r.h);
    for (int y = 0; y < r.h; ++y) {
        const uint8_t* row = b.data() + r.offset + static_cast<size_t>(r.h - 1 - y) * rowBytes;
        for (int x = 0; x < r.w; ++x) {
            uint32_t v;
            if (r.bits == 24) v = bgr(row[3 * x], row[3 * x + 1], row[3 * x + 2]);
            else if (r.bits == 8) v = row[x];
            else if (r.bits == 4) v = (row[x / 2] >> (x % 2 ? 0 : 4)) & 15;
            else v = (row[x / 8] >> (7 - x % 8)) & 1;
            r.values[y * r.w + x] = v;
        }
    }
    r.ok = true;
    return r;
}

// Runs Debian's python3 (with Pillow) on a program; returns its exit status.
inline int python(const std::string& program, const std::string& dir) {
    std::string file = dir + "/prog.py";
    std::ofstream(file) << program;
    return std::system(("/usr/bin/python3 " + file + " > " + dir + "/py.log 2>&1").c_str());
}

}  // namespace acc
