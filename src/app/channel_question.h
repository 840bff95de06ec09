// The question that picks one colour channel: Yes blue, No green, Cancel (or closing the box) red.
#pragma once

#include <string>

#include "app/app_state.h"
#include "ops/channel.h"

namespace vyd {

Channel askChannel(AppState& app, const std::string& caption);

}  // namespace vyd
