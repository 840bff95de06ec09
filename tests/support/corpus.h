// Where the public test corpus is: $VYD_CORPUS when set, else the folder the build was configured with.
// Machines without the corpus skip the tests that read it instead of failing them.
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
    return stat((corpusDir() + "/MANIFEST.tsv").c_str(), &st) == 0;
}

}  // namespace vydtest

#define VYD_SKIP_WITHOUT_CORPUS()                                                                      \
    do {                                                                                               \
        if (!vydtest::corpusPresent()) GTEST_SKIP() << "no public corpus at " << vydtest::corpusDir(); \
    } while (0)
