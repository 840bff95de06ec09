#include "app/composition_commands.h"

namespace vyd {

Ending readComposition(AppState&, const std::string*) { return Ending::Redraw; }

}  // namespace vyd
