// libFuzzer target: the BMP reader on arbitrary bytes must end cleanly, with a picture of the size it claims
// or with a failure that says why and leaves the picture empty. Headers of any size are taken: the reader's data
// floor keeps what it makes in proportion to the file, and run_fuzzer.sh caps every allocation to match.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "formats/bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
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
