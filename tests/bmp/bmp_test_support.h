// The BMP tests use the shared codec test helpers (hand-built files, scratch folders, pixel colours).
#pragma once

#include "support/codec_bytes.h"
