// Whole commands driven through scripts: files in, script run, transcript lines out (in order), and where a
// level was saved, the colours of the saved picture. $D stands for the case's scratch folder.
#pragma once

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "support/files.h"
#include "support/image_files.h"
#include "support/run.h"

namespace vydtest {

struct ScriptCase {
    const char* name;
    std::vector<std::pair<std::string, Bytes>> files;
    std::string script;
    std::vector<std::string> lines;  // found in this order; "..." is any text within a line, "<end>" the end
    std::vector<std::pair<std::string, std::vector<uint32_t>>> saved = {};  // files saved in $D, colours from the top
};

inline Bytes flat24(int w, int h, uint32_t color) { return bmpFile(24, w, h, std::vector<uint32_t>(size_t(w) * h, color)); }

inline std::string withDir(std::string text, const std::string& dir) {
    for (size_t at; (at = text.find("$D")) != std::string::npos;) text.replace(at, 2, dir);
    return text;
}

inline std::regex transcriptPattern(const std::string& line) {
    std::string re;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line.compare(i, 3, "...") == 0) {
            re += "[^\\n]*";
            i += 2;
        } else {
            if (std::string("\\^$.|?*+()[]{}").find(line[i]) != std::string::npos) re += '\\';
            re += line[i];
        }
    }
    return std::regex(re);
}

inline void PrintTo(const ScriptCase& c, std::ostream* out) { *out << c.name; }

inline void checkScriptCase(const ScriptCase& c) {
    ScratchDir dir;
    const std::string d = dir / "";
    const std::string folder = d.substr(0, d.size() - 1);
    for (const auto& [name, bytes] : c.files) {
        std::filesystem::create_directories(std::filesystem::path(dir / name).parent_path());  // "sub/a.bmp"
        writeBytes(dir / name, bytes);
    }
    const Outcome r = script(withDir(c.script, folder));
    ASSERT_EQ(r.status, 0) << r.err;
    auto from = r.out.cbegin();
    for (const std::string& line : c.lines) {
        std::smatch found;
        if (line == "<end>") {
            EXPECT_EQ(std::string(from, r.out.cend()), "") << "after the lines expected";
            continue;
        }
        ASSERT_TRUE(std::regex_search(from, r.out.cend(), found, transcriptPattern(withDir(line, folder))))
            << "no line like " << withDir(line, folder) << " after the lines found before, in\n" << r.out;
        from = found[0].second;
    }
    for (const auto& [name, colours] : c.saved) {
        const Reading saved = readPicture(dir / name);
        ASSERT_TRUE(saved.ok) << name;
        EXPECT_EQ(firstDifference(colorsOf(saved.image), colours, saved.image.width()), "") << name;
    }
}

}  // namespace vydtest
