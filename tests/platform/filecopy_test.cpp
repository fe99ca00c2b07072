#include "platform/filecopy.h"
#include "support/tempdir.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <tuple>
#include <vector>

namespace velmora::platform {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::TempDir;
using test::writeFile;

// Bytes that differ from position to position, so that a misplaced chunk shows.
std::string pattern(std::size_t size) {
    std::string text(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        text[i] = static_cast<char>((i * 7919 + i / 4096) & 0xff);
    return text;
}

struct Call {
    std::int64_t total;
    std::int64_t transferred;
    CopyReason reason;
};

// A progress routine that records its calls and, on request, cancels.
struct Recorder {
    std::vector<Call> calls;
    std::atomic<std::int32_t>* setFlagAfterFirstChunk = nullptr;
    CopyProgressResult answerAfterFirstChunk = CopyProgressResult::Continue;

    static CopyProgressResult routine(std::int64_t total, std::int64_t transferred, CopyReason reason,
                                      void* context) {
        auto* self = static_cast<Recorder*>(context);
        self->calls.push_back({total, transferred, reason});
        if (reason != CopyReason::ChunkFinished)
            return CopyProgressResult::Continue;
        if (self->setFlagAfterFirstChunk)
            self->setFlagAfterFirstChunk->store(1);
        return self->answerAfterFirstChunk;
    }
    std::size_t chunkCalls() const {
        std::size_t n = 0;
        for (const Call& call : calls)
            n += call.reason == CopyReason::ChunkFinished;
        return n;
    }
};

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

unsigned modeOf(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0);
    return info.st_mode & 07777;
}

class FileCopyTest : public ::testing::Test {
protected:
    TempDir dir;
    fs::path source = dir / "source.bin";
    fs::path target = dir / "target.bin";
    Recorder recorder;
    std::atomic<std::int32_t> cancel{0};
    int error = 0;

    bool copy(unsigned flags = CopyNone) {
        return copyFileEx(source, target, &Recorder::routine, &recorder, &cancel, flags, &error);
    }
};

TEST_F(FileCopyTest, CopiesInChunksWithProgressEndingAtTheTotal) {
    const std::string data = pattern(2 * copyChunkSize + copyChunkSize / 2 + 1);
    writeFile(source, data);

    ASSERT_TRUE(copy());
    EXPECT_EQ(error, 0);
    EXPECT_EQ(readFile(target), data);

    const auto total = static_cast<std::int64_t>(data.size());
    ASSERT_GE(recorder.calls.size(), 2u);
    EXPECT_EQ(recorder.calls.front().reason, CopyReason::StreamSwitch);
    EXPECT_EQ(recorder.calls.front().transferred, 0);
    std::int64_t last = 0;
    for (std::size_t i = 1; i < recorder.calls.size(); ++i) {
        const Call& call = recorder.calls[i];
        EXPECT_EQ(call.reason, CopyReason::ChunkFinished);
        EXPECT_EQ(call.total, total);
        EXPECT_GT(call.transferred, last);
        EXPECT_LE(call.transferred - last, copyChunkSize);
        last = call.transferred;
    }
    EXPECT_EQ(last, total);
    EXPECT_EQ(recorder.chunkCalls(), 3u);
}

TEST_F(FileCopyTest, ZeroByteFileReportsNoneOfNothing) {
    writeFile(source, "");
    ASSERT_TRUE(copy());
    EXPECT_TRUE(fs::is_regular_file(target));
    EXPECT_EQ(fs::file_size(target), 0u);
    ASSERT_EQ(recorder.calls.size(), 2u);
    EXPECT_EQ(recorder.calls[0].reason, CopyReason::StreamSwitch);
    EXPECT_EQ(recorder.calls[1].reason, CopyReason::ChunkFinished);
    EXPECT_EQ(recorder.calls[1].total, 0);
    EXPECT_EQ(recorder.calls[1].transferred, 0);
}

TEST_F(FileCopyTest, WorksWithoutProgressRoutineAndCancelFlag) {
    writeFile(source, "plain");
    ASSERT_TRUE(copyFileEx(source, target, nullptr, nullptr, nullptr, CopyNone));
    EXPECT_EQ(readFile(target), "plain");
}

TEST_F(FileCopyTest, QuietAnswerStopsTheCallsButNotTheCopy) {
    const std::string data = pattern(3 * copyChunkSize);
    writeFile(source, data);
    recorder.answerAfterFirstChunk = CopyProgressResult::Quiet;
    ASSERT_TRUE(copy());
    EXPECT_EQ(recorder.calls.size(), 2u);
    EXPECT_EQ(readFile(target), data);
}

// Every way of cancelling, on a new destination and on an existing one: the copy
// fails with ECANCELED, a new destination is gone, an existing one is untouched.
struct CancelCase {
    const char* name;
    bool flagBefore;
    bool flagFromRoutine;
    CopyProgressResult answer;
};

class CopyCancelTest : public FileCopyTest,
                       public ::testing::WithParamInterface<std::tuple<CancelCase, bool>> {};

TEST_P(CopyCancelTest, LeavesNoPartialFile) {
    const auto& [how, overwrite] = GetParam();
    writeFile(source, pattern(3 * copyChunkSize));
    if (overwrite)
        writeFile(target, "old content");
    cancel = how.flagBefore ? 1 : 0;
    if (how.flagFromRoutine)
        recorder.setFlagAfterFirstChunk = &cancel;
    recorder.answerAfterFirstChunk = how.answer;

    EXPECT_FALSE(copy());
    EXPECT_EQ(error, ECANCELED);
    if (how.flagBefore)
        EXPECT_TRUE(recorder.calls.empty());
    else
        EXPECT_EQ(recorder.chunkCalls(), 1u);
    if (overwrite) {
        EXPECT_EQ(readFile(target), "old content");
        EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"source.bin", "target.bin"}));
    } else {
        EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"source.bin"});
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ways, CopyCancelTest,
    ::testing::Combine(::testing::Values(CancelCase{"FlagBefore", true, false, CopyProgressResult::Continue},
                                         CancelCase{"FlagMidFile", false, true, CopyProgressResult::Continue},
                                         CancelCase{"RoutineCancels", false, false,
                                                    CopyProgressResult::Cancel},
                                         CancelCase{"RoutineStops", false, false, CopyProgressResult::Stop}),
                       ::testing::Bool()),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "_Overwrite" : "_New");
    });

TEST_F(FileCopyTest, CancelFlagSetByAnotherThreadStopsTheCopy) {
    writeFile(source, pattern(3 * copyChunkSize));
    struct Context {
        std::atomic<bool> firstChunk{false};
        std::atomic<std::int32_t>* cancel;
    } context{{}, &cancel};
    std::thread canceller([&] {
        while (!context.firstChunk.load())
            std::this_thread::yield();
        cancel.store(1);
    });
    const auto routine = [](std::int64_t, std::int64_t, CopyReason reason, void* data) {
        auto* ctx = static_cast<Context*>(data);
        if (reason == CopyReason::ChunkFinished) {
            ctx->firstChunk.store(true);
            while (ctx->cancel->load() == 0)
                std::this_thread::yield();
        }
        return CopyProgressResult::Continue;
    };
    EXPECT_FALSE(copyFileEx(source, target, routine, &context, &cancel, CopyNone, &error));
    canceller.join();
    EXPECT_EQ(error, ECANCELED);
    EXPECT_FALSE(fs::exists(target));
}

TEST_F(FileCopyTest, FailIfExistsKeepsTheExistingFile) {
    writeFile(source, "new");
    writeFile(target, "old");
    EXPECT_FALSE(copy(CopyFailIfExists));
    EXPECT_EQ(error, EEXIST);
    EXPECT_EQ(readFile(target), "old");

    ASSERT_TRUE(copy(CopyNone));
    EXPECT_EQ(readFile(target), "new");
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"source.bin", "target.bin"}));
}

TEST_F(FileCopyTest, ReadOnlyDestinationIsNotOverwritten) {
    writeFile(source, "new");
    writeFile(target, "old");
    fs::permissions(target, fs::perms(0444));
    EXPECT_FALSE(copy(CopyNone));
    EXPECT_EQ(error, EACCES);
    EXPECT_EQ(readFile(target), "old");
    EXPECT_EQ(modeOf(target), 0444u);
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"source.bin", "target.bin"}));
}

TEST_F(FileCopyTest, OverwriteReplacesAHardLinkedNameOnly) {
    // The new content arrives by a rename, so another name of the old file keeps it.
    writeFile(source, "new");
    writeFile(target, "old");
    fs::create_hard_link(target, dir / "other-name");
    ASSERT_TRUE(copy(CopyNone));
    EXPECT_EQ(readFile(target), "new");
    EXPECT_EQ(readFile(dir / "other-name"), "old");
}

TEST_F(FileCopyTest, CarriesPermissionsAndModificationTimeOver) {
    writeFile(source, "data");
    fs::permissions(source, fs::perms(0640));
    const struct timespec times[2] = {{1000000000, 0}, {1234567890, 500}};
    ASSERT_EQ(::utimensat(AT_FDCWD, source.c_str(), times, 0), 0);

    ASSERT_TRUE(copy());
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(info.st_mtim.tv_sec, 1234567890);
    EXPECT_EQ(info.st_mtim.tv_nsec, 500);

    // A read-only source gives a read-only copy, which the archive reset makes writable.
    fs::permissions(source, fs::perms(0444));
    fs::path second = dir / "second.bin";
    ASSERT_TRUE(copyFileEx(source, second, nullptr, nullptr, nullptr, CopyNone));
    EXPECT_EQ(modeOf(second), 0444u);
    ASSERT_TRUE(setArchiveOnly(second));
    EXPECT_EQ(modeOf(second), 0644u);
}

TEST_F(FileCopyTest, CopiesAcrossFileSystems) {
    struct stat here {
    }, shm{};
    if (::stat(dir.path().c_str(), &here) != 0 || ::stat("/dev/shm", &shm) != 0 || here.st_dev == shm.st_dev)
        GTEST_SKIP() << "no second file system at /dev/shm";
    std::string name = "/dev/shm/velmora-copy-test-XXXXXX";
    const int fd = ::mkstemp(name.data());
    ASSERT_GE(fd, 0);
    ::close(fd);
    const std::string data = pattern(copyChunkSize + 12345);
    writeFile(name, data);

    const bool copied = copyFileEx(name, target, &Recorder::routine, &recorder, &cancel, CopyNone, &error);
    std::filesystem::remove(name);
    ASSERT_TRUE(copied) << "errno " << error;
    EXPECT_EQ(readFile(target), data);
    EXPECT_EQ(recorder.chunkCalls(), 2u);
    EXPECT_EQ(recorder.calls.back().transferred, static_cast<std::int64_t>(data.size()));
}

TEST_F(FileCopyTest, FolderSourceFailsAndWritesNothing) {
    fs::create_directory(dir / "folder");
    writeFile(dir / "folder" / "inside.txt", "x");
    EXPECT_FALSE(
        copyFileEx(dir / "folder", target, &Recorder::routine, &recorder, &cancel, CopyNone, &error));
    EXPECT_EQ(error, EISDIR);
    EXPECT_FALSE(fs::exists(target));
    EXPECT_TRUE(recorder.calls.empty());
}

TEST_F(FileCopyTest, SymbolicLinksAreFollowedAndDanglingOnesFailCleanly) {
    writeFile(source, "through the link");
    fs::create_symlink(source, dir / "link");
    ASSERT_TRUE(copyFileEx(dir / "link", target, nullptr, nullptr, nullptr, CopyNone));
    EXPECT_EQ(readFile(target), "through the link");
    EXPECT_FALSE(fs::is_symlink(target));

    fs::create_symlink(dir / "nowhere", dir / "dangling");
    EXPECT_FALSE(copyFileEx(dir / "dangling", dir / "out", nullptr, nullptr, nullptr, CopyNone, &error));
    EXPECT_EQ(error, ENOENT);
    EXPECT_FALSE(fs::exists(dir / "out"));
}

TEST_F(FileCopyTest, DestinationProblemsAreReported) {
    writeFile(source, "data");
    // A missing destination folder.
    EXPECT_FALSE(copyFileEx(source, dir / "missing" / "x", nullptr, nullptr, nullptr, CopyNone, &error));
    EXPECT_EQ(error, ENOENT);
    // A folder in the destination's place stays a folder, with its content.
    fs::create_directory(target);
    writeFile(target / "keep.txt", "keep");
    EXPECT_FALSE(copy(CopyNone));
    EXPECT_EQ(error, EISDIR);
    EXPECT_FALSE(copy(CopyFailIfExists));
    EXPECT_EQ(error, EEXIST);
    EXPECT_EQ(readFile(target / "keep.txt"), "keep");
}

TEST(SetArchiveOnly, ResetsFilesAndFolders) {
    TempDir dir;
    writeFile(dir / "file", "x");
    fs::permissions(dir / "file", fs::perms(0400));
    fs::create_directory(dir / "folder");
    fs::permissions(dir / "folder", fs::perms(0500));

    EXPECT_TRUE(setArchiveOnly(dir / "file"));
    EXPECT_TRUE(setArchiveOnly(dir / "folder"));
    EXPECT_EQ(modeOf(dir / "file"), 0644u);
    EXPECT_EQ(modeOf(dir / "folder"), 0755u);
    EXPECT_FALSE(setArchiveOnly(dir / "missing"));
}

} // namespace
} // namespace velmora::platform
