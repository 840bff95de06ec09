// The desktop clipboard's pictures as Image records and back.
#pragma once

#include <QImage>
#include <optional>

#include "image/image.h"

namespace vyd {

// The clipboard picture as a device-independent bitmap of its own depth: one-bit pictures give 1 bit,
// indexed ones 8 bits (both with their colour table as the palette), 16-bit ones 5-5-5 words, 24-bit ones
// three bytes per pixel, and every other format 32 bits (blue, green, red, 0). The mode is the depth.
// Nothing for an empty picture or one beyond the record's size limits.
std::optional<Image> dibFromClipboardPicture(const QImage& picture);

}  // namespace vyd
