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

struct stat statOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
    return st;
}

// Makes a file of the given length without writing its bytes; false where the file system will not.
bool sparseFile(const std::string& path, off_t length) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const bool made = fd >= 0 && ::write(fd, "BM", 2) == 2 && ::ftruncate(fd, length) == 0;
    if (fd >= 0) ::close(fd);
    return made;
}

// Runs body in a child process and returns its exit status (-1 when it did not exit by itself).
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
    // A chain: an absolute link to a relative link to the file, in another folder.
    fs::create_directories(dir / "real");
    writeBytes(dir / "real/pic.bmp", {1, 2, 3});
    fs::create_symlink("pic.bmp", dir / "real/near.bmp");
    fs::create_symlink(dir / "real/near.bmp", dir / "far.bmp");
    ASSERT_EQ(save(dir / "far.bmp", {4, 5}), WriteOutcome::Written);
    EXPECT_TRUE(fs::is_symlink(dir / "far.bmp"));
    EXPECT_TRUE(fs::is_symlink(dir / "real/near.bmp"));
    EXPECT_EQ(readBytes(dir / "real/pic.bmp"), (Bytes{4, 5}));
    EXPECT_EQ(entriesIn(dir / ""), 2u);
    EXPECT_EQ(entriesIn(dir / "real"), 2u);

    // A dangling link creates the file it names.
    fs::create_symlink("real/new.bmp", dir / "dangling.bmp");
    ASSERT_EQ(save(dir / "dangling.bmp", {6}), WriteOutcome::Written);
    EXPECT_TRUE(fs::is_symlink(dir / "dangling.bmp"));
    EXPECT_EQ(readBytes(dir / "real/new.bmp"), (Bytes{6}));
}

TEST_F(FileLayer, EveryNameOfAHardLinkedFileShowsTheNewBytes) {
    writeBytes(dir / "one.bmp", Bytes(5000, 7));
    fs::create_hard_link(dir / "one.bmp", dir / "two.bmp");
    for (const Bytes& bytes : {Bytes(9000, 8), Bytes{9}}) {  // longer, then shorter than before
        ASSERT_EQ(save(dir / "two.bmp", bytes), WriteOutcome::Written);
        EXPECT_EQ(readBytes(dir / "one.bmp"), bytes);
        EXPECT_EQ(statOf(dir / "one.bmp").st_ino, statOf(dir / "two.bmp").st_ino);
    }
    EXPECT_EQ(entriesIn(dir / ""), 2u);
}

TEST_F(FileLayer, ReplacedFileKeepsItsModeAndNewFileGetsTheUmasksMode) {
    for (const mode_t mode : {mode_t{0600}, mode_t{0755}, mode_t{02750}}) {
        SCOPED_TRACE(mode);
        writeBytes(dir / "kept.bmp", {1});
        ::chmod((dir / "kept.bmp").c_str(), mode);
        ASSERT_EQ(save(dir / "kept.bmp", {2}), WriteOutcome::Written);
        EXPECT_EQ(statOf(dir / "kept.bmp").st_mode & 07777, mode);
    }
    const mode_t before = ::umask(027);
    const WriteOutcome outcome = save(dir / "new.bmp", {3});
    ::umask(before);
    ASSERT_EQ(outcome, WriteOutcome::Written);
    EXPECT_EQ(statOf(dir / "new.bmp").st_mode & 07777, mode_t{0640});
}

TEST_F(FileLayer, NameAsLongAsTheFileSystemAllowsSavesNewAndReplaced) {
    const std::string name = dir / (std::string(251, 'n') + ".bmp");
    ASSERT_EQ(save(name, {1}), WriteOutcome::Written);
    ASSERT_EQ(save(name, {2}), WriteOutcome::Written);
    EXPECT_EQ(readBytes(name), (Bytes{2}));
    EXPECT_EQ(entriesIn(dir / ""), 1u);
}

// A write that fails part way (the file size limit stands in for a full disc) leaves the file as it was and
// no temporary, whether the file is replaced or rewritten in place; so does a process killed mid-save.
TEST_F(FileLayer, FailedOrKilledSaveLeavesTheFileAndNoTemporary) {
    writeBytes(dir / "single.bmp", {1, 2});
    writeBytes(dir / "linked.bmp", {3, 4});
    fs::create_hard_link(dir / "linked.bmp", dir / "other.bmp");
    for (const char* name : {"single.bmp", "linked.bmp", "new.bmp"}) {
        SCOPED_TRACE(name);
        const int status = inChild([&] {
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{4096, 4096};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            return static_cast<int>(save(dir / name, Bytes(65536, 5)));
        });
        EXPECT_EQ(status, static_cast<int>(WriteOutcome::NotWritten));
    }
    EXPECT_EQ(readBytes(dir / "single.bmp"), (Bytes{1, 2}));
    EXPECT_EQ(readBytes(dir / "other.bmp"), (Bytes{3, 4}));
    EXPECT_EQ(entriesIn(dir / ""), 3u);

    // Killed after writing, before the bytes were put in place: nothing a destructor could remove remains.
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
    Encoded encoded;
    encoded.bytes.append(Bytes{'n', 'e', 'w'});
    return encoded;
}
Encoded refusingEncode(const Image&, const EncodeOptions&) {
    ++encodes;
    Encoded encoded;
    encoded.fail(CodecError::GifTruecolor);
    return encoded;
}

// Targets even root may not write: a folder, a named pipe, a file of /proc, a missing folder's file. Each is
// refused as a file that cannot be created, left as it was, and nothing is encoded for it.
TEST_F(FileLayer, UnwritableTargetIsRefusedUntouchedBeforeEncoding) {
    fs::create_directories(dir / "folder.bmp");
    ASSERT_EQ(::mkfifo((dir / "pipe.bmp").c_str(), 0666), 0);
    const ImageFormat counted{kFileTypeBmp, nullptr, nullptr, countedEncode, CodecError::CantCreateFile,
                              CodecError::CantWriteFile};
    const ImageFormat refusing{kFileTypeGif, nullptr, nullptr, refusingEncode, CodecError::GifCantCreateFile,
                               CodecError::GifCantWriteToFile};
    Image picture;
    for (const ImageFormat* format : {&counted, &refusing}) {
        for (const std::string& target :
             {dir / "folder.bmp", dir / "pipe.bmp", std::string("/proc/self/status"), dir / "none/x.bmp"}) {
            SCOPED_TRACE(target);
            encodes = 0;
            const Encoded r = encodeImageFile(*format, picture, {}, target);
            ASSERT_TRUE(r.failure);
            EXPECT_EQ(r.failure->error, format->cantCreate);
            EXPECT_EQ(encodes, 0);
        }
    }
    EXPECT_TRUE(fs::is_directory(dir / "folder.bmp"));
    EXPECT_TRUE(fs::is_fifo(dir / "pipe.bmp"));
    EXPECT_EQ(entriesIn(dir / ""), 2u);

    encodes = 0;
    EXPECT_TRUE(encodeImageFile(counted, picture, {}, dir / "fine.bmp").ok());
    EXPECT_EQ(encodes, 1);
    EXPECT_EQ(readBytes(dir / "fine.bmp"), (Bytes{'n', 'e', 'w'}));
}

TEST_F(FileLayer, OnlyRegularFilesAreReadAndAPipeNeverBlocks) {
    fs::create_directories(dir / "folder.bmp");
    ASSERT_EQ(::mkfifo((dir / "pipe.bmp").c_str(), 0666), 0);
    for (const std::string& path : {dir / "folder.bmp", dir / "pipe.bmp", std::string("/dev/zero")}) {
        SCOPED_TRACE(path);
        const DecodedFile file = decodeImageFile(path, {});
        ASSERT_TRUE(file.decoded.failure);
        EXPECT_EQ(file.decoded.failure->error, CodecError::CantOpenFile);
        EXPECT_EQ(FileBytes::read(path).status, ReadStatus::CantOpen);
    }
}

// Longer than the reader's cap: refused with the length, nothing read, instead of being cut short.
TEST_F(FileLayer, FileLongerThanTheCapIsRefusedNotCut) {
    const std::string huge = dir / "huge.bmp";
    if (!sparseFile(huge, off_t{kMaxFileBytes} + 1)) GTEST_SKIP() << "this file system refuses sparse files";
    const DecodedFile file = decodeImageFile(huge, {});
    ASSERT_TRUE(file.decoded.failure);
    EXPECT_EQ(file.decoded.failure->error, CodecError::FileTooLong);
    EXPECT_EQ(file.decoded.failure->detail.first, int64_t{kMaxFileBytes} + 1);
    const Reading shown = readPicture(huge);
    ASSERT_EQ(shown.boxes.size(), 1u);
    EXPECT_EQ(shown.boxes[0].text, "this file is 2147483649 bytes long: too long for me");

    writeBytes(dir / "text", Bytes(10, 'a'));
    EXPECT_EQ(FileBytes::read(dir / "text", 10).data.size(), 10u);
    const WholeFile over = FileBytes::read(dir / "text", 9);
    EXPECT_EQ(over.status, ReadStatus::TooLong);
    EXPECT_EQ(over.length, 10u);
    ASSERT_TRUE(sparseFile(dir / "long.txt", off_t{kTextFileLimit} + 1));
    EXPECT_FALSE(readTextFile(dir / "long.txt"));
}

}  // namespace
