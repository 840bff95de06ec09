// libFuzzer target: the PCX reader on arbitrary bytes must end cleanly, with a picture of the size it claims
// or with a failure that says why and leaves the picture empty.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "formats/pcx.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const vyd::Decoded result = vyd::decodePcx({data, size}, vyd::ModeSettings{});
    const vyd::Image& image = result.picture;
    if (result.ok()) {
        if (!image.hasPixels() || image.width() <= 0 || image.height() <= 0) std::abort();
        // Touch every byte of every row, so a row the reader did not fill shows up under MemorySanitizer
        // and a buffer shorter than its rows under AddressSanitizer.
        unsigned sum = 0;
        for (int y = 0; y < image.height(); ++y) {
            const uint8_t* row = image.row(y);
            for (int i = 0; i < vyd::rowBytesUnpadded(image.bitCount(), image.width()); ++i) sum += row[i];
        }
        if (sum == 0xFFFFFFFFu) std::abort();
    } else if (image.hasPixels()) {
        std::abort();
    }
    return 0;
}
