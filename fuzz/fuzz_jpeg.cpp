// libFuzzer target: the JPEG reader on arbitrary bytes must end cleanly, with a truecolor picture of the size
// it claims or with a failure that says why and leaves the picture empty. A picture it reads is written again
// and must read back.
#include <turbojpeg.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "formats/jpeg.h"

namespace {

// Pictures read back after being written are kept small: the encoder's time grows with the picture.
constexpr long long kMaxRewrittenPixels = 1 << 18;

void touchEveryRow(const vyd::Image& image) {
    unsigned sum = 0;
    for (int y = 0; y < image.height(); ++y) {
        const uint8_t* row = image.row(y);
        for (int i = 0; i < 3 * image.width(); ++i) sum += row[i];
    }
    if (sum == 0xFFFFFFFFu) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const vyd::Decoded result = vyd::decodeJpeg({data, size});
    const vyd::Image& image = result.picture;
    if (!result.ok()) {
        if (!result.warnings.empty() || image.hasPixels()) std::abort();
        return 0;
    }
    if (!image.hasPixels() || image.width() <= 0 || image.height() <= 0 || image.mode != 24 ||
        result.warnings.size() > 1) {
        std::abort();
    }
    touchEveryRow(image);
    if (static_cast<long long>(image.width()) * image.height() <= kMaxRewrittenPixels) {
        vyd::EncodeOptions options;
        options.jpegQuality = size ? data[size - 1] % 102 : 80;
        const std::vector<uint8_t> jpeg = vyd::encodeJpeg(image, options).bytes.flatten();
        const vyd::Decoded reread = vyd::decodeJpeg(jpeg);
        const vyd::Image& again = reread.picture;
        if (!reread.ok() || !reread.warnings.empty() || again.width() != image.width() ||
            again.height() != image.height()) {
            std::abort();
        }
    }
    return 0;
}
