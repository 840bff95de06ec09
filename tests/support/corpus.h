// Where the public test corpus is: $VYD_CORPUS when set, else the folder the build was configured with.
// A machine without that folder skips the suites that read it, and says so. Where the folder exists (as under
// continuous integration) every suite must run: a missing or shrunken manifest fails instead of skipping.
#pragma once

#include <cstdlib>
#include <string>
#include <sys/stat.h>

namespace vydtest {

inline std::string corpusDir() {
    if (const char* dir = std::getenv("VYD_CORPUS"); dir && *dir) return dir;
    return VYD_CORPUS;
}

inline bool corpusPresent() {
    struct stat st {};
    return stat(corpusDir().c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace vydtest

#define VYD_SKIP_WITHOUT_CORPUS()                                                                           \
    do {                                                                                                    \
        if (!vydtest::corpusPresent())                                                                      \
            GTEST_SKIP() << "no public corpus at " << vydtest::corpusDir() << ": its files were not read"; \
    } while (0)
