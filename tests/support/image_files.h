// The one place the tests reach the file readers and writers: through the program's own entry points.
#pragma once

#include "app/image_files.h"
#include "support/box_platform.h"

namespace vydtest {

// A picture file read as the program reads it, with the boxes the reader showed.
struct Reading {
    bool ok = false;
    vyd::Image image;
    std::vector<ShownBox> boxes;
};

inline Reading readPicture(const std::string& path) {
    Reading r;
    BoxPlatform ui;
    vyd::FileSettings files;
    r.ok = vyd::readImageFile(ui, files, vyd::ModeSettings{}, path, r.image);
    r.boxes = ui.boxes;
    return r;
}

}  // namespace vydtest
