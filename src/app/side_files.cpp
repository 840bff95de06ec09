#include "app/side_files.h"

#include "formats/file_io.h"

namespace vyd {

void reportCantOpen(Platform& ui, const std::string& name) {
    ui.messageBox(Owner::None, name, "I can't open this file", MB_OK | MB_ICONEXCLAMATION);
}

bool writeSideFile(Platform& ui, const std::string& name, std::string_view bytes) {
    EncodedFile file;
    file.append(bytes.data(), bytes.size());
    if (writeFileAtomically(name, file) == WriteOutcome::Written) return true;
    reportCantOpen(ui, name);
    return false;
}

}  // namespace vyd
