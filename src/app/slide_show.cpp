#include "app/slide_show.h"

namespace vyd {

Ending readSlideList(AppState&) { return Ending::Redraw; }

}  // namespace vyd
