// What a slide show keeps between keys: the list being shown, the status page's lines and the listing file
// that the names of shown slides are written to.
#pragma once

#include <array>
#include <cstdio>
#include <memory>
#include <string>

#include "sequences/slide_list.h"

namespace vyd {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using OwnedFile = std::unique_ptr<std::FILE, FileCloser>;

struct SlideState {
    std::string listName;  // the slide list last opened
    std::string listPath;  // the same list by its absolute path, for restarting after folder entries
    bool active = false;   // a list has been read and the slide keys act on it
    SlideList list;
    std::array<std::string, 3> statusLines;  // the status page shows the first `slideScreen` of them
    OwnedFile log;                           // the listing file while recording
};

}  // namespace vyd
