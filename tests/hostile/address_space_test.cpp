// Every small file among the test data (the hostile pictures of tests/data/hostile and the regression files of
// each format) reads, or is refused, within 100 MB: a child process reads it with its address space limited to
// what it already had plus 100 MB and must come to the same outcome as a read without the limit. A reader that
// allocates from what a header claims instead of what the data can fill fails here with its allocation error.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "formats/format_table.h"

using namespace vyd;

namespace {

constexpr uint64_t kSmallFile = 64 * 1024;
constexpr uint64_t kAllowance = uint64_t{100} << 20;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;  // the sanitizer reserves terabytes of address space up front
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// 0 for a picture, 1 + the error's number for a refusal.
int outcomeOf(const std::string& path) {
    const DecodedFile file = decodeImageFile(path, ModeSettings{});
    return file.decoded.ok() ? 0 : 1 + static_cast<int>(file.decoded.failure->error);
}

uint64_t addressSpaceInUse() {
    std::ifstream statm("/proc/self/statm");
    uint64_t pages = 0;
    statm >> pages;
    return pages * static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
}

// The outcome of reading path in a child limited to 100 MB more address space (and 20 s of processor time, so
// that a hang ends); -1 when the child was killed.
int outcomeWithinLimit(const std::string& path) {
    const pid_t child = fork();
    if (child == 0) {
        const rlimit space{addressSpaceInUse() + kAllowance, addressSpaceInUse() + kAllowance};
        const rlimit cpu{20, 20};
        setrlimit(RLIMIT_AS, &space);
        setrlimit(RLIMIT_CPU, &cpu);
        _exit(outcomeOf(path));
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(HostileFiles, EverySmallFileReadsOrIsRefusedWithin100MB) {
    if (kSanitized) GTEST_SKIP() << "the address sanitizer's reservations leave no room for an address-space limit";
    int checked = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(VYD_TEST_DATA)) {
        if (!entry.is_regular_file() || entry.file_size() >= kSmallFile) continue;
        const std::string path = entry.path().string();
        const int unlimited = outcomeOf(path);
        if (unlimited == 1 + static_cast<int>(CodecError::UnknownFormat)) continue;
        SCOPED_TRACE(path);
        EXPECT_EQ(outcomeWithinLimit(path), unlimited);
        ++checked;
    }
    EXPECT_GE(checked, 40);
}
