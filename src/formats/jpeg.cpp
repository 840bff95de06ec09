#include "formats/jpeg.h"

#include <turbojpeg.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "formats/data_floor.h"
#include "formats/jpeg_frame.h"
#include "modes/imageconv.h"

namespace vyd {

namespace {

// The most a decode may take: the picture, a CMYK staging copy and the decoder's whole-image coefficient
// buffers together. A few hundred bytes of header can claim a picture of gigabytes; beyond this we refuse.
constexpr size_t kDecodeBudget = size_t{2} << 30;

// Every decode: stop after 500 progressive scans (a crafted file could otherwise spin for minutes).
constexpr int kDecodeFlags = TJFLAG_BOTTOMUP | TJFLAG_LIMITSCANS;
constexpr int kEncodeFlags = TJFLAG_BOTTOMUP | TJFLAG_ACCURATEDCT;
constexpr int kEncodeSubsampling = TJSAMP_420;

// A read picture's pels per metre and colour counts, all four of them.
constexpr int kReadHeaderValue = 10;

struct TjDestroy {
    void operator()(void* handle) const { tjDestroy(handle); }
};
using TjHandle = std::unique_ptr<void, TjDestroy>;

struct TjFree {
    void operator()(unsigned char* buffer) const { tjFree(buffer); }
};
using TjBuffer = std::unique_ptr<unsigned char, TjFree>;

Decoded unreadable(Decoded& result) { return std::move(result.fail(CodecError::JpegUnreadable)); }

// round(a * b / 255) for a, b in 0..255.
inline uint8_t mulDiv255(unsigned a, unsigned b) {
    unsigned t = a * b + 128;
    return static_cast<uint8_t>((t + (t >> 8)) >> 8);
}

// Turns decoded CMYK rows into the image's blue, green, red. Files with an Adobe segment store the inks
// inverted (0 = full ink), as Adobe's applications write them; others store them plainly.
void cmykToBgr(const uint8_t* cmyk, size_t cmykStride, Image& image, bool inverted) {
    int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        const uint8_t* in = cmyk + static_cast<size_t>(y) * cmykStride;
        uint8_t* out = image.row(y);
        for (int x = 0; x < width; ++x, in += 4, out += 3) {
            unsigned c = in[0], m = in[1], ye = in[2], k = in[3];
            if (!inverted) { c = 255 - c; m = 255 - m; ye = 255 - ye; k = 255 - k; }
            out[0] = mulDiv255(ye, k);
            out[1] = mulDiv255(m, k);
            out[2] = mulDiv255(c, k);
        }
    }
}

// A frame of the given size with the most memory a decode of it can take: four full-size components,
// progressive, arithmetic-coded (so that no data floor applies).
JpegFrameInfo worstCaseFrame(int width, int height) {
    JpegFrameInfo frame;
    frame.frameFound = true;
    frame.frameMarker = 0xCA;
    frame.precision = 8;
    frame.width = width;
    frame.height = height;
    frame.components = 4;
    std::fill(std::begin(frame.samplingH), std::end(frame.samplingH), 1);
    std::fill(std::begin(frame.samplingV), std::end(frame.samplingV), 1);
    return frame;
}

// Whether the decoder's (first) warning left the picture whole: stray bytes between segments, in a file that
// goes on to its end marker. Stray bytes before a restart marker are skipped coded data, and every other
// warning (cut-off file, bad codes, odd scan order) means parts of the picture are missing or wrong.
bool harmlessWarning(const char* text, const JpegFrameInfo& frame) {
    unsigned count = 0, marker = 0;
    if (!text || std::sscanf(text, "Corrupt JPEG data: %u extraneous bytes before marker 0x%x", &count, &marker) != 2) {
        return false;
    }
    bool restartMarker = marker >= 0xD0 && marker <= 0xD7;
    return !restartMarker && frame.endAfterScan;
}

// The read picture's header, palette and picked colours, as a JPEG read always gives them.
void setReadLayout(Image& image) {
    image.header.biSizeImage = static_cast<uint32_t>(image.pixelBytes());
    image.header.biXPelsPerMeter = image.header.biYPelsPerMeter = kReadHeaderValue;
    image.header.biClrUsed = image.header.biClrImportant = kReadHeaderValue;
    std::fill(std::begin(image.palette), std::end(image.palette), RgbQuad{});
    image.leftColor = image.rightColor = 0;
}

}  // namespace

bool probeJpeg(std::span<const uint8_t> head) { return head.size() >= 2 && head[0] == 0xFF && head[1] == 0xD8; }

Decoded decodeJpeg(std::span<const uint8_t> bytes, const ModeSettings& /*modes*/) {
    Decoded result;
    Image& image = result.picture;
    clearImage(image);
    TjHandle handle(tjInitDecompress());
    if (!handle) return unreadable(result);

    // The header call fills in the size and colour space once the frame header has been parsed; it still
    // returns an error for a warning on the way (stray bytes before a marker) and, in libjpeg-turbo 2.x, for
    // sampling factors outside its named set, both of which the decoder handles. So the size decides: a file
    // whose header could not be parsed leaves it 0, and the decode below checks everything again.
    int width = 0, height = 0, subsampling = -1, colorspace = -1;
    tjDecompressHeader3(handle.get(), bytes.data(), bytes.size(), &width, &height, &subsampling, &colorspace);
    if (width <= 0 || height <= 0 || !sizeWithinLimits(24, width, height)) return unreadable(result);

    // Bound the work before any of it is done: a few hundred bytes of header can claim a picture of gigabytes.
    JpegFrameInfo frame = scanJpegFrame(bytes);
    if (!frame.frameFound || frame.width != width || frame.height != height) {
        const size_t codedBytes = frame.codedBytes;
        frame = worstCaseFrame(width, height);  // our walk disagrees with the decoder's: assume the most
        frame.codedBytes = codedBytes;
    }
    // The floor is the least coded data that can hold the picture, far below what real pictures take, so it is
    // given no slack: a file below it holds too little for its picture even at the cheapest coding, and a real
    // file cut short of it has lost nearly all of its picture.
    if (static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > kFloorFreePixels &&
        uint64_t{frame.codedBytes} * 8 < jpegLeastCodedBits(frame)) {
        return std::move(result.fail(CodecError::BeyondData, {width, height, {}}));
    }
    bool cmyk = colorspace == TJCS_CMYK || colorspace == TJCS_YCCK;
    size_t stride = (static_cast<size_t>(rowBytesUnpadded(24, width)) + 3) & ~size_t{3};
    size_t pictureBytes = stride * static_cast<size_t>(height);
    size_t stagingBytes = cmyk ? static_cast<size_t>(width) * 4 * static_cast<size_t>(height) : 0;
    if (pictureBytes + stagingBytes + jpegCoefficientBytes(frame) > kDecodeBudget) {
        return unreadable(result);
    }

    if (!createImage(image, kModeTrue24, 24, width, height)) return unreadable(result);

    PixelBuffer staging;
    if (cmyk && !(staging = PixelBuffer::allocate(stagingBytes))) return unreadable(result);
    auto decode = [&] {
        if (!cmyk) {
            return tjDecompress2(handle.get(), bytes.data(), bytes.size(), image.pixels.data(), width,
                                 image.stride, height, TJPF_BGR, kDecodeFlags);
        }
        const int cmykStatus = tjDecompress2(handle.get(), bytes.data(), bytes.size(), staging.data(), width,
                                             width * 4, height, TJPF_CMYK, kDecodeFlags & ~TJFLAG_BOTTOMUP);
        if (cmykStatus == 0 || tjGetErrorCode(handle.get()) == TJERR_WARNING) {
            cmykToBgr(staging.data(), static_cast<size_t>(width) * 4, image, frame.adobe);
        }
        return cmykStatus;
    };
    int status = decode();
    if (status != 0 && tjGetErrorCode(handle.get()) == TJERR_WARNING) {
        // Damaged data can stop the decoder short of the last rows, which then hold whatever the fresh buffers
        // held. Decoding again into cleared buffers makes those rows black; good files never pay for it.
        std::memset(image.pixels.data(), 0, image.pixelBytes());
        if (cmyk) std::memset(staging.data(), 0, stagingBytes);
        status = decode();
    }

    if (status != 0) {
        // A warning means the decoder made what it could of damaged data (missing blocks grey, rows it never
        // reached black); anything else left it incomplete.
        if (tjGetErrorCode(handle.get()) != TJERR_WARNING) return unreadable(result);
        if (!harmlessWarning(tjGetErrorStr2(handle.get()), frame)) {
            result.warn(CodecWarning::JpegDamaged);
        }
    }
    setReadLayout(image);
    result.paletteSet = 256;
    return result;
}

Encoded encodeJpeg(const Image& image, const EncodeOptions& options) {
    Encoded result;
    const Image* source = &image;
    Image converted;
    if (image.bitCount() == 8) {
        // Palette pictures go through their 256-entry palette.
        if (!imageconv(image, converted, kCodeTrue)) return std::move(result.fail(CodecError::JpegNotEncoded));
        source = &converted;
    } else if (image.bitCount() != 24) {
        return std::move(result.fail(CodecError::JpegNotEncoded));
    }
    if (!source->hasPixels() || source->width() <= 0 || source->height() <= 0) {
        return std::move(result.fail(CodecError::JpegNotEncoded));
    }

    TjHandle handle(tjInitCompress());
    if (!handle) return std::move(result.fail(CodecError::JpegNotEncoded));
    unsigned char* out = nullptr;
    unsigned long size = 0;
    const int status = tjCompress2(handle.get(), source->pixels.data(), source->width(), source->stride,
                                   source->height(), TJPF_BGR, &out, &size, kEncodeSubsampling,
                                   std::clamp(options.jpegQuality, 1, 100), kEncodeFlags);
    TjBuffer owned(out);
    if (status != 0 || !out) return std::move(result.fail(CodecError::JpegNotEncoded));
    result.bytes.append(out, size);
    return result;
}

int clampJpegQuality(double answer) {
    if (!(answer >= 1)) return 1;  // also a NaN answer
    if (answer >= 100) return 100;
    return static_cast<int>(answer);
}

}  // namespace vyd
