// libFuzzer target: the BMP reader on arbitrary bytes must end cleanly, with a picture of the size it claims
// or with a failure that says why and leaves the picture empty.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "formats/bmp.h"
#include "formats/byte_reader.h"

namespace {

// A short file may claim a picture of a gigabyte, which the reader makes and clears; libFuzzer's time and memory
// limits are far below that, so headers claiming more than this are skipped.
constexpr int64_t kMaxPixels = 16 << 20;

bool tooLargeToFuzz(std::span<const uint8_t> bytes) {
    vyd::ByteReader reader(bytes);
    reader.seek(14);
    const uint32_t headerSize = reader.u32le();
    int64_t width, height;
    if (headerSize == 12) {  // the old core header: 16-bit sizes
        width = reader.u16le();
        height = reader.u16le();
    } else {
        width = reader.s32le();
        height = reader.s32le();
    }
    return std::abs(width) * std::abs(height) > kMaxPixels;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (tooLargeToFuzz({data, size})) return 0;
    const vyd::Decoded result = vyd::decodeBmp({data, size}, vyd::ModeSettings{});
    const vyd::Image& image = result.picture;
    if (!result.ok()) {
        if (image.hasPixels()) std::abort();
        return 0;
    }
    if (!image.hasPixels() || image.width() <= 0 || image.height() <= 0) std::abort();
    // Read every byte of every row: a buffer shorter than its rows shows up under AddressSanitizer, a row the
    // reader left undefined under MemorySanitizer.
    const int rowBytes = vyd::rowBytesUnpadded(image.bitCount(), image.width());
    if (rowBytes > image.stride) std::abort();
    unsigned sum = 0;
    for (int y = 0; y < image.height(); ++y) {
        const uint8_t* row = image.row(y);
        for (int i = 0; i < rowBytes; ++i) sum += row[i];
    }
    if (sum == 0xFFFFFFFFu) std::abort();
    return 0;
}
