#include "formats/jpeg_frame.h"

#include <algorithm>
#include <cstring>

#include "formats/byte_reader.h"

namespace vyd {

namespace {

constexpr uint8_t kSoi = 0xD8, kEoi = 0xD9, kSos = 0xDA, kApp14 = 0xEE, kTem = 0x01;

uint16_t u16be(std::span<const uint8_t> bytes, size_t at) {
    return static_cast<uint16_t>((bytes[at] << 8) | bytes[at + 1]);
}

bool isFrameMarker(uint8_t m) {
    // 0xC4 (Huffman tables), 0xC8 (reserved) and 0xCC (arithmetic conditioning) share the range.
    return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC;
}

void readFrame(std::span<const uint8_t> segment, uint8_t marker, JpegFrameInfo& info) {
    if (segment.size() < 6) return;
    int components = segment[5];
    if (segment.size() < 6 + 3 * static_cast<size_t>(components)) return;
    info.frameMarker = marker;
    info.precision = segment[0];
    info.height = u16be(segment, 1);
    info.width = u16be(segment, 3);
    info.components = components;
    for (int i = 0; i < std::min(components, JpegFrameInfo::kMaxComponents); ++i) {
        uint8_t factors = segment[6 + 3 * i + 1];
        info.samplingH[i] = factors >> 4;
        info.samplingV[i] = factors & 15;
    }
    info.frameFound = true;
}

// Where the entropy-coded data starting at from ends: at the next marker other than a restart marker (0xFF
// followed by 0x00 is a data byte 0xFF, and fill bytes 0xFF may precede a marker), or at the end of the file.
size_t codedDataEnd(std::span<const uint8_t> bytes, size_t from) {
    const uint8_t* const begin = bytes.data();
    const uint8_t* const end = begin + bytes.size();
    const uint8_t* p = begin + std::min(from, bytes.size());
    while (p < end) {
        const uint8_t* ff = static_cast<const uint8_t*>(std::memchr(p, 0xFF, static_cast<size_t>(end - p)));
        if (!ff) break;
        const uint8_t* next = ff + 1;
        while (next < end && *next == 0xFF) ++next;
        if (next == end) return static_cast<size_t>(ff - begin);
        if (*next != 0x00 && (*next < 0xD0 || *next > 0xD7)) return static_cast<size_t>(ff - begin);
        p = next + 1;
    }
    return bytes.size();
}

}  // namespace

JpegFrameInfo scanJpegFrame(std::span<const uint8_t> bytes) {
    JpegFrameInfo info;
    ByteReader reader(bytes);
    if (reader.u8() != 0xFF || reader.u8() != kSoi) return info;
    for (;;) {
        // Skip to the next marker as the decoder does: stray bytes, then any fill bytes 0xFF.
        uint8_t byte = reader.u8();
        while (!reader.shortRead() && byte != 0xFF) byte = reader.u8();
        uint8_t marker = reader.u8();
        while (!reader.shortRead() && marker == 0xFF) marker = reader.u8();
        if (reader.shortRead() || marker == kEoi) break;
        if (marker == kSoi || marker == kTem || (marker >= 0xD0 && marker <= 0xD7)) continue;  // no length
        std::span<const uint8_t> lengthBytes = reader.take(2);
        if (lengthBytes.size() < 2) break;
        uint16_t length = u16be(lengthBytes, 0);
        if (length < 2) break;
        std::span<const uint8_t> segment = reader.take(length - 2u);
        const bool adobe = segment.size() >= 12 && std::memcmp(segment.data(), "Adobe", 5) == 0;
        if (marker == kApp14 && adobe && info.scans == 0) {
            info.adobe = true;
        } else if (isFrameMarker(marker) && !info.frameFound) {
            readFrame(segment, marker, info);
        } else if (marker == kSos) {
            if (info.scans++ == 0) {
                if (!segment.empty()) info.firstScanComponents = segment[0];
                // Coded data never holds 0xFF 0xD9 (a data byte 0xFF is followed by 0x00), so finding it means
                // the file was not cut short. It is usually the last two bytes: search from the end.
                for (size_t i = bytes.size(); i >= reader.position() + 2 && !info.endAfterScan; --i) {
                    info.endAfterScan = bytes[i - 2] == 0xFF && bytes[i - 1] == kEoi;
                }
            }
            const size_t dataStart = reader.position();
            reader.seek(codedDataEnd(bytes, dataStart));
            info.codedBytes += reader.position() - dataStart;
        }
    }
    return info;
}

namespace {

struct ComponentBlocks {
    size_t coded = 0;      // blocks of the component itself (what a scan of it alone codes)
    size_t allocated = 0;  // rounded up to whole units of its sampling factors (what the decoder keeps)
};

// Block counts of component i as the decoder works them out. Components beyond the tenth (which the decoder
// refuses) count as full-size ones.
ComponentBlocks componentBlocks(const JpegFrameInfo& info, int i) {
    int count = std::min(info.components, JpegFrameInfo::kMaxComponents);
    int maxH = 1, maxV = 1;
    for (int c = 0; c < count; ++c) {
        maxH = std::max<int>(maxH, info.samplingH[c]);
        maxV = std::max<int>(maxV, info.samplingV[c]);
    }
    size_t h = i < count ? std::max<int>(1, info.samplingH[i]) : maxH;
    size_t v = i < count ? std::max<int>(1, info.samplingV[i]) : maxV;
    size_t columns = (static_cast<size_t>(info.width) * h + 8 * maxH - 1) / (8 * maxH);
    size_t rows = (static_cast<size_t>(info.height) * v + 8 * maxV - 1) / (8 * maxV);
    return {columns * rows, (columns + h - 1) / h * h * ((rows + v - 1) / v * v)};
}

}  // namespace

size_t jpegCoefficientBytes(const JpegFrameInfo& info) {
    if (!info.frameFound || info.components <= 0) return 0;
    bool wholeImage = info.progressive() || info.firstScanComponents == 0 ||
                      info.firstScanComponents < info.components;
    if (!wholeImage) return 0;
    size_t blocks = 0;
    for (int i = 0; i < info.components; ++i) blocks += componentBlocks(info, i).allocated;
    return blocks * 64 * sizeof(int16_t);
}

uint64_t jpegLeastCodedBits(const JpegFrameInfo& info) {
    if (!info.frameFound) return 0;
    uint64_t blocks = 0;
    for (int i = 0; i < info.components; ++i) blocks += componentBlocks(info, i).coded;
    return blocks * 2;
}

}  // namespace vyd
