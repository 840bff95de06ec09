// A quick walk over a JPEG file's markers up to its end marker: the frame header (size, precision, process,
// components and their sampling), whether an Adobe segment came first (which marks CMYK data as stored
// inverted), how many components the first scan holds, whether the file goes on to its end marker, and how many
// bytes of coded data its scans hold. The decoder itself is libjpeg-turbo's; this walk only tells the reader what
// the decoder will need before it is asked to decode.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace vyd {

struct JpegFrameInfo {
    bool frameFound = false;    // a start-of-frame segment was read whole
    uint8_t frameMarker = 0;    // 0xC0..0xCF: the coding process (0xC2, 0xC6, 0xCA, 0xCE are progressive)
    int precision = 0;          // bits per sample
    int width = 0;
    int height = 0;
    int components = 0;
    static constexpr int kMaxComponents = 10;  // the most the decoder accepts
    uint8_t samplingH[kMaxComponents] = {};   // horizontal sampling factor of each component (1..4)
    uint8_t samplingV[kMaxComponents] = {};
    bool adobe = false;         // an APP14 "Adobe" segment precedes the first scan
    int firstScanComponents = 0;  // 0 when no scan header was reached
    bool endAfterScan = false;    // an end-of-image marker follows the first scan header (the file is whole)
    int scans = 0;                // scan headers read
    size_t codedBytes = 0;        // bytes of coded data after all scan headers, each up to its next marker

    bool progressive() const { return (frameMarker & 0x03) == 0x02; }
    bool arithmetic() const { return frameMarker >= 0xC9; }
};

JpegFrameInfo scanJpegFrame(std::span<const uint8_t> bytes);

// Bytes of whole-image coefficient buffers the decoder allocates for this frame: for progressive files and for
// files whose first scan does not hold every component (and, to stay on the safe side, whenever no scan header
// was found). 0 for single-scan files, which decode row by row.
size_t jpegCoefficientBytes(const JpegFrameInfo& info);

// The fewest bits of coded data that can hold this frame's picture: two for every block of every component.
// Sequential Huffman coding cannot take less (each block takes at least a DC code and an end-of-block code, and
// no code is shorter than a bit). Progressive Huffman coding could send only a first DC scan of a bit a block,
// and arithmetic coding has no least cost at all; two bits a block is a chosen floor there, far below what real
// pictures take (the usual progressive scans alone send every block's DC code and a refinement bit), and it
// keeps a file of 64 KB below 100 MB with the whole-image coefficient buffers of progressive decoding.
// 0 when no frame was found.
uint64_t jpegLeastCodedBits(const JpegFrameInfo& info);

}  // namespace vyd
