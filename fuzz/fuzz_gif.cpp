// libFuzzer target for the GIF reader. Beyond "no crash, no hang", it checks the reader's promises (a result
// is a whole 256-color picture, a failure an empty one with its two messages) and, for pictures that decoded,
// that the writer's compressor and the decoder agree on the very pixels the fuzzer produced. Headers of any size
// are taken: the reader's data floor keeps what it makes in proportion to the codes it is given.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

#include "formats/gif.h"
#include "formats/gif_lzw.h"

using namespace vyd;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Decoded result = decodeGif(std::span<const uint8_t>(data, size), ModeSettings{});
    const Image& image = result.picture;
    if (!result.ok()) {
        if (image.hasPixels() || !result.warnings.empty()) std::abort();
        return 0;
    }
    if (!image.hasPixels() || image.mode != kMode256 || image.bitCount() != 8 || result.warnings.size() > 1) {
        std::abort();
    }
    const size_t total = static_cast<size_t>(image.width()) * image.height();
    if (total > (size_t{1} << 20)) return 0;

    std::vector<uint8_t> blocks;
    GifLzwEncoder encoder([&blocks](const uint8_t* bytes, size_t count) { blocks.insert(blocks.end(), bytes, bytes + count); });
    GifPixelSource source(image);
    encoder.compress(source);
    std::vector<uint8_t> codes;
    for (size_t pos = 0; pos < blocks.size(); pos += 1 + blocks[pos]) {
        if (blocks[pos] == 0 || pos + 1 + blocks[pos] > blocks.size()) std::abort();
        codes.insert(codes.end(), blocks.begin() + pos + 1, blocks.begin() + pos + 1 + blocks[pos]);
    }
    std::vector<uint8_t> back(total + kGifLzwSlack);
    if (decodeGifLzw(codes, 8, back.data(), total) != total) std::abort();
    for (int y = 0; y < image.height(); ++y) {
        if (std::memcmp(back.data() + static_cast<size_t>(y) * image.width(), image.row(y), image.width()) != 0) {
            std::abort();
        }
    }
    return 0;
}
