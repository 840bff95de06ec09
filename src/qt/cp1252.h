// Windows-1252 bytes inside the program, Unicode at the Qt boundary.
#pragma once

#include <QString>
#include <string>

namespace vyd {

// Every byte becomes one character: Windows-1252 for 0x80..0x9F (the five unassigned bytes keep
// their own code points, as Windows does), Latin-1 elsewhere.
QString fromCp1252(const std::string& bytes);
// Each character becomes one byte; characters the code page cannot hold become '?'.
std::string toCp1252(const QString& text);

// A text the logic shows (titles, captions, message texts). File names reach the logic as the file
// system's own bytes (UTF-8): a text that is valid UTF-8 and holds a multi-byte sequence is therefore
// shown as UTF-8, everything else as Windows-1252.
QString displayText(const std::string& bytes);

// File names: the file system's bytes in both directions.
QString fromFileName(const std::string& bytes);
std::string toFileName(const QString& name);

}  // namespace vyd
