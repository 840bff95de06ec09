// Edge marking: where two neighbouring pixels of the whole picture have the same colour but come from
// different levels, the pixel of the higher level is marked in level 15 with a contrasting colour, so that
// the boundary of an object on a background of its own colour shows. Level 15 becomes a 16-color overlay,
// white (its transparent colour) everywhere else.
#pragma once

#include "compose/view_state.h"
#include "image/levels.h"

namespace vyd {

// The user's choice of edge colours, each a table from a pixel's 16-colour index to the mark's index.
enum class EdgeColours {
    Similar,             // dark colours turn bright and bright ones dark
    Complementary,       // 15 - index, black becoming light grey
    BlackUnlessOnBlack,  // black, light grey on black
};

enum class EdgeCheck {
    Ready,
    NoPicture,        // no background: nothing to do, nothing to say
    LevelFifteenBusy, // level 15 holds an image
    NotSixteenColor,  // a shown level has more than 16 colours
};

// Sizes `assembled` for the whole picture (the background's size) and says whether marking can run.
EdgeCheck checkEdgeMarking(const LevelTable& levels, const ViewState& view, Image& assembled);

// After a Ready check on `assembled`: maps which shown level (1 to 14) covers each pixel, assembles the
// whole picture into `assembled`, and makes level 15 the overlay of marks. Every mapped level's screenRect
// is rewritten for the whole picture. Returns false, leaving level 15 empty, when a work picture cannot be
// made.
bool markEdgeOverlaps(LevelTable& levels, ViewState& view, Image& assembled, EdgeColours colours);

}  // namespace vyd
