#include "modes/imageconv.h"

#include <cstdio>
#include <cstring>

#include "modes/conversion_rows.h"

namespace vyd {

namespace {

struct ConversionPair {
    int sourceDepth;
    int target;
    Converter convert;
    bool plainCopy;  // returns 1 instead of the height
};

// Every (source depth, target) pair the conversion knows.
constexpr ConversionPair kPairs[] = {
    {1, kCodePack1, copyPixelsAndPalette, true},
    {4, kCodePack4, copyPixelsAndPalette, true},
    {8, kCode256, copyPixelsAndPalette, true},
    {24, kCodeTrue, copyTruecolor, true},
    {1, kCode256, unpack1, false},
    {1, kCode2Color, unpack1, false},
    {1, kCode16Color, unpack1, false},
    {4, kCode256, unpack4, false},
    {4, kCode16Color, unpack4, false},
    {8, kCodePack1, pack1, false},
    {8, kCodePack4, pack4, false},
    {8, kCodeGreys, indexedToGreys, false},
    {8, kCodeTrue, indexedToTruecolor, false},
    {8, kCode2Color, indexedTo2Color, false},
    {8, kCode16Color, indexedTo16Color, false},
    {8, kCodeChequer, indexedToChequer, false},
    {16, kCodeTrue, unpack16, false},
    {24, kCode256, truecolorToCube, false},
    {24, kCodeGreys, truecolorToGreys, false},
    {24, kCodePack16, pack16, false},
    {24, kCode2Color, truecolorTo2Color, false},
    {24, kCode16Color, truecolorTo16Color, false},
    {24, kCodeChequer, truecolorToChequer, false},
    {32, kCodeTrue, unpack32, false},
};

const ConversionPair* findPair(int sourceDepth, int target) {
    for (const ConversionPair& pair : kPairs) {
        if (pair.sourceDepth == sourceDepth && pair.target == target) return &pair;
    }
    return nullptr;
}

// A source whose header, stride and buffer agree, so that every row the converters read lies inside it.
bool sourceIsSound(const Image& source) {
    const int width = source.width(), height = source.height();
    if (width <= 0 || height <= 0 || !sizeWithinLimits(source.bitCount(), width, height)) return false;
    if (source.stride < rowBytesUnpadded(source.bitCount(), width)) return false;
    return source.pixels.size() >= source.pixelBytes();
}

// Clears the bytes between each row's pixels and the next row, so that written files never carry
// whatever the allocation held.
void clearRowPadding(Image& image) {
    const int32_t used = rowBytesUnpadded(image.bitCount(), image.width());
    if (used >= image.stride) return;
    for (int m = 0; m < image.height(); ++m) {
        std::memset(image.pixels.data() + static_cast<size_t>(m) * image.stride + used, 0,
                    static_cast<size_t>(image.stride - used));
    }
}

}  // namespace

int imageconv(const Image& source, Image& destination, int code, const ModeSettings& settings) {
    return imageconv(source, destination, code, settings, nullptr);
}

int imageconv(const Image& source, Image& destination, int code, const ModeSettings& settings,
              ConversionMessage* message) {
    if (!source.hasPixels() || &source == &destination) return 0;
    const bool alternativeCube = code == kCodeCubeAlternative;
    int target = alternativeCube ? kCode256 : (code & 0xFF);
    const int depth = source.bitCount();
    if (target == kCodeChequer && depth < 8) target = kCode16Color;

    const ConversionPair* pair = findPair(depth, target);
    if (!pair) {
        if (message) {
            char text[64];
            std::snprintf(text, sizeof text, "imageconv tried to convert bpp %d to %d", depth, target);
            *message = {text, "bug in VYD"};
        }
        return 0;
    }
    if (!sourceIsSound(source)) return 0;

    // A destination of the right size and depth is reused for the plain copies (it keeps its mode);
    // otherwise it is created afresh with the target's mode and depth.
    const int width = source.width(), height = source.height();
    const int destinationDepth = (target == kCodeGreys || target > 64) ? 8 : target;
    const bool reuse = pair->plainCopy && destination.hasPixels() && destination.width() == width &&
                       destination.height() == height && destination.bitCount() == destinationDepth &&
                       destination.stride == source.stride && destination.pixels.size() >= source.pixelBytes();
    if (!reuse && !createImage(destination, target & 31, destinationDepth, width, height)) return 0;

    if (target == kCodeChequer) buildChequerPalette(destination);
    pair->convert(source, destination, ConversionContext{settings, alternativeCube});
    if (target == kCodeChequer) finishChequer(destination);
    if (!pair->plainCopy) clearRowPadding(destination);
    destination.leftColor = source.leftColor;
    return pair->plainCopy ? 1 : height;
}

}  // namespace vyd
