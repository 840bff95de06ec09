// The file layer: what a save keeps of the file it replaces (links, names, permission bits), that no
// temporary outlives a save, that a target that cannot be written is refused before encoding, and that only
// regular files of a readable length are read.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "formats/file_io.h"
#include "formats/format_table.h"
#include "sequences/text_file.h"
#include "support/files.h"
#include "support/image_files.h"

using namespace vyd;
using namespace vydtest;
namespace fs = std::filesystem;

namespace {

WriteOutcome save(const std::string& path, const Bytes& bytes) {
    EncodedFile file;
    file.append(bytes);
    return writeFileAtomically(path, file);
}

fs::perms modeOf(const std::string& path) { return fs::status(path).permissions(); }

// Makes a file of the given length without writing its bytes; false where the file system will not.
bool sparseFile(const std::string& path, off_t length) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const bool made = fd >= 0 && ::ftruncate(fd, length) == 0;
    if (fd >= 0) ::close(fd);
    return made;
}

// Runs body in a child process and returns its exit status.
template <typename Body>
int inChild(Body body) {
    const pid_t pid = ::fork();
    if (pid == 0) _exit(body());
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class FileLayer : public testing::Test {
protected:
    ScratchDir dir;
};

TEST_F(FileLayer, SymbolicLinksStayLinksAndTheirFinalTargetGetsTheBytes) {
    // An absolute link to a relative link in another folder; then a dangling link, which creates its file.
    fs::create_directories(dir / "real");
    writeBytes(dir / "real/pic.bmp", {1, 2, 3});
    fs::create_symlink("pic.bmp", dir / "real/near.bmp");
    fs::create_symlink(dir / "real/near.bmp", dir / "far.bmp");
    fs::create_symlink("real/new.bmp", dir / "dangling.bmp");
    ASSERT_EQ(save(dir / "far.bmp", {4, 5}), WriteOutcome::Written);
    ASSERT_EQ(save(dir / "dangling.bmp", {6}), WriteOutcome::Written);
    EXPECT_TRUE(fs::is_symlink(dir / "far.bmp") && fs::is_symlink(dir / "real/near.bmp"));
    EXPECT_TRUE(fs::is_symlink(dir / "dangling.bmp"));
    EXPECT_EQ(readBytes(dir / "real/pic.bmp"), (Bytes{4, 5}));
    EXPECT_EQ(readBytes(dir / "real/new.bmp"), (Bytes{6}));
    EXPECT_EQ(entriesIn(dir / "real"), 3u);
}

// Every name of a hard-linked file shows the new bytes, longer or shorter; permission bits are kept; a new
// file gets 0666 less the umask; a name as long as the file system allows saves.
TEST_F(FileLayer, ReplacedFileKeepsItsNamesAndModeAndLongNamesSave) {
    writeBytes(dir / "one.bmp", Bytes(5000, 7));
    fs::create_hard_link(dir / "one.bmp", dir / "two.bmp");
    for (const Bytes& bytes : {Bytes(9000, 8), Bytes{9}}) {
        ASSERT_EQ(save(dir / "two.bmp", bytes), WriteOutcome::Written);
        EXPECT_EQ(readBytes(dir / "one.bmp"), bytes);
        EXPECT_TRUE(fs::equivalent(dir / "one.bmp", dir / "two.bmp"));
    }
    for (const fs::perms mode : {fs::perms(0600), fs::perms(0755), fs::perms(02750)}) {
        fs::permissions(dir / "one.bmp", mode);
        ASSERT_EQ(save(dir / "one.bmp", {2}), WriteOutcome::Written);
        EXPECT_EQ(modeOf(dir / "one.bmp"), mode);
    }
    const std::string longName = dir / (std::string(251, 'n') + ".bmp");
    const mode_t before = ::umask(027);
    EXPECT_EQ(save(longName, {3}), WriteOutcome::Written);
    ::umask(before);
    EXPECT_EQ(modeOf(longName), fs::perms(0640));
    EXPECT_EQ(save(longName, {4}), WriteOutcome::Written);
    EXPECT_EQ(entriesIn(dir / ""), 3u);
}

// A write that fails part way (the file size limit stands in for a full disc) leaves the file as it was and
// no temporary, whether the file is replaced, rewritten in place or new; so does a process killed mid-save.
TEST_F(FileLayer, FailedOrKilledSaveLeavesTheFileAndNoTemporary) {
    writeBytes(dir / "single.bmp", {1, 2});
    writeBytes(dir / "linked.bmp", {3, 4});
    fs::create_hard_link(dir / "linked.bmp", dir / "other.bmp");
    for (const char* name : {"single.bmp", "linked.bmp", "new.bmp"}) {
        EXPECT_EQ(inChild([&] {
                      ::signal(SIGXFSZ, SIG_IGN);
                      const rlimit limit{4096, 4096};
                      ::setrlimit(RLIMIT_FSIZE, &limit);
                      return static_cast<int>(save(dir / name, Bytes(65536, 5)));
                  }),
                  static_cast<int>(WriteOutcome::NotWritten)) << name;
    }
    EXPECT_EQ(readBytes(dir / "single.bmp"), (Bytes{1, 2}));
    EXPECT_EQ(readBytes(dir / "other.bmp"), (Bytes{3, 4}));
    EXPECT_EQ(entriesIn(dir / ""), 3u);

    const int fd = ::open((dir / "").c_str(), O_TMPFILE | O_WRONLY, 0600);
    if (fd < 0) GTEST_SKIP() << "this file system offers no unnamed files: a killed save leaves its temporary";
    ::close(fd);
    inChild([&] {
        AtomicFileWriter out(dir / "single.bmp");
        EncodedFile file;
        file.append(Bytes(100, 6));
        if (out.open()) out.write(file);
        _exit(0);  // no destructor runs, as after a kill
        return 0;
    });
    EXPECT_EQ(entriesIn(dir / ""), 3u);
}

int encodes = 0;
Encoded countedEncode(const Image&, const EncodeOptions&) {
    ++encodes;
    return {};
}

// Targets even root may not write: a folder, a named pipe, a file of /proc, a missing folder's file. Each is
// refused as a file that cannot be created, left as it was, and nothing is encoded for it. Only regular files
// are read, and a pipe never blocks the reader.
TEST_F(FileLayer, UnwritableTargetIsRefusedUntouchedBeforeEncodingAndOnlyRegularFilesAreRead) {
    fs::create_directories(dir / "folder.bmp");
    ASSERT_EQ(::mkfifo((dir / "pipe.bmp").c_str(), 0666), 0);
    const ImageFormat counted{kFileTypeGif, nullptr, nullptr, countedEncode, CodecError::GifCantCreateFile,
                              CodecError::GifCantWriteToFile};
    for (const std::string& target :
         {dir / "folder.bmp", dir / "pipe.bmp", std::string("/proc/self/status"), dir / "none/x.bmp"}) {
        const Encoded r = encodeImageFile(counted, Image(), {}, target);
        ASSERT_TRUE(r.failure) << target;
        EXPECT_EQ(r.failure->error, CodecError::GifCantCreateFile) << target;
    }
    EXPECT_EQ(encodes, 0);
    EXPECT_TRUE(fs::is_directory(dir / "folder.bmp") && fs::is_fifo(dir / "pipe.bmp"));
    EXPECT_EQ(entriesIn(dir / ""), 2u);
    EXPECT_TRUE(encodeImageFile(counted, Image(), {}, dir / "fine.gif").ok());
    EXPECT_EQ(encodes, 1);

    for (const std::string& path : {dir / "folder.bmp", dir / "pipe.bmp", std::string("/dev/zero")}) {
        const DecodedFile file = decodeImageFile(path, {});
        ASSERT_TRUE(file.decoded.failure) << path;
        EXPECT_EQ(file.decoded.failure->error, CodecError::CantOpenFile) << path;
    }
}

// Longer than the reader's cap: refused with the length, nothing read, instead of being cut short.
TEST_F(FileLayer, FileLongerThanTheCapIsRefusedNotCut) {
    const std::string huge = dir / "huge.bmp";
    if (!sparseFile(huge, off_t{kMaxFileBytes} + 1)) GTEST_SKIP() << "this file system refuses sparse files";
    const Reading shown = readPicture(huge);
    ASSERT_EQ(shown.boxes.size(), 1u);
    EXPECT_EQ(shown.boxes[0].text, "this file is 2147483649 bytes long: too long for me");

    writeBytes(dir / "text", Bytes(10, 'a'));
    EXPECT_EQ(FileBytes::read(dir / "text", 10).data.size(), 10u);
    EXPECT_EQ(FileBytes::read(dir / "text", 9).length, 10u);
    ASSERT_TRUE(sparseFile(dir / "long.txt", off_t{kTextFileLimit} + 1));
    EXPECT_FALSE(readTextFile(dir / "long.txt"));
}

}  // namespace
