// Reference pictures of the public corpus: binary PPM (P6) and PAM (P7) files with 8-bit samples, read as
// 0xRRGGBB values, top row first (an alpha channel is dropped).
#pragma once

#include <cstdint>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace vyd::test {

struct ReferencePicture {
    int width = 0, height = 0;
    std::vector<uint32_t> rgb;
};

inline std::optional<ReferencePicture> readReference(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    in >> magic;
    ReferencePicture picture;
    int maxval = 0, depth = 3;
    if (magic == "P6") {
        in >> picture.width >> picture.height >> maxval;
    } else if (magic == "P7") {
        std::string key;
        while (in >> key && key != "ENDHDR") {
            if (key == "WIDTH") in >> picture.width;
            else if (key == "HEIGHT") in >> picture.height;
            else if (key == "DEPTH") in >> depth;
            else if (key == "MAXVAL") in >> maxval;
            else in.ignore(1 << 10, '\n');
        }
    } else {
        return std::nullopt;
    }
    in.get();  // the one white-space byte before the samples
    if (!in || maxval != 255 || depth < 3 || picture.width <= 0 || picture.height <= 0) return std::nullopt;
    std::vector<unsigned char> samples(static_cast<size_t>(picture.width) * picture.height * depth);
    if (!in.read(reinterpret_cast<char*>(samples.data()), static_cast<std::streamsize>(samples.size()))) {
        return std::nullopt;
    }
    picture.rgb.reserve(samples.size() / depth);
    for (size_t i = 0; i < samples.size(); i += depth) {
        picture.rgb.push_back((samples[i] << 16) | (samples[i + 1] << 8) | samples[i + 2]);
    }
    return picture;
}

}  // namespace vyd::test
