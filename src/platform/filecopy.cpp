#include "platform/filecopy.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace velmora::platform {

namespace {

// Buffer of the read/write fallback; the fallback moves a chunk in several passes.
constexpr std::size_t fallbackBufferSize = 1024 * 1024;

class FileHandle {
public:
    explicit FileHandle(int fd = -1) : fd_(fd) {}
    ~FileHandle() { reset(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    void reset(int fd = -1) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }
    // Closes the file and reports the error close() gives (a late write error).
    int close() {
        int result = 0;
        if (fd_ >= 0 && ::close(fd_) != 0)
            result = errno;
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

bool isCancelled(const std::atomic<std::int32_t>* cancel) {
    return cancel && cancel->load(std::memory_order_relaxed) != 0;
}

// File systems that cannot copy between themselves in the kernel (or not at all)
// answer copy_file_range with one of these; the copy then goes on with read/write.
bool rangeCopyUnsupported(int err) {
    return err == EXDEV || err == EINVAL || err == ENOSYS || err == EOPNOTSUPP || err == EBADF ||
           err == ETXTBSY;
}

// Moves up to count bytes from in to out at both files' current offsets with read
// and write. Returns the bytes moved (0 at end of file) or -1 with errno set.
ssize_t readWriteChunk(int in, int out, std::size_t count, std::vector<char>& buffer) {
    if (buffer.empty())
        buffer.resize(fallbackBufferSize);
    std::size_t moved = 0;
    while (moved < count) {
        const ssize_t got = ::read(in, buffer.data(), std::min(count - moved, buffer.size()));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (got == 0)
            break;
        for (ssize_t written = 0; written < got;) {
            const ssize_t n = ::write(out, buffer.data() + written, static_cast<std::size_t>(got - written));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return -1;
            }
            written += n;
        }
        moved += static_cast<std::size_t>(got);
    }
    return static_cast<ssize_t>(moved);
}

// Moves up to count bytes from in to out, in the kernel where the file systems allow
// it. Returns the bytes moved (0 at end of file) or -1 with errno set.
ssize_t moveChunk(int in, int out, std::size_t count, bool& useRangeCopy, std::vector<char>& buffer) {
    while (useRangeCopy) {
        const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, count, 0);
        if (n > 0)
            return n;
        if (n == 0) {
            // Some file systems report nothing to copy for files that do have data;
            // read/write tells a real end of file.
            useRangeCopy = false;
            break;
        }
        if (errno == EINTR)
            continue;
        if (!rangeCopyUnsupported(errno))
            return -1;
        useRangeCopy = false;
    }
    return readWriteChunk(in, out, count, buffer);
}

// A name for the replacement file in the destination's folder, for mkostemp.
std::string temporaryPattern(const std::filesystem::path& destination) {
    return (destination.parent_path() / ".velmora-copy-XXXXXX").string();
}

class Copier {
public:
    Copier(CopyProgressRoutine progress, void* context, const std::atomic<std::int32_t>* cancel)
        : progress_(progress), context_(context), cancel_(cancel) {}

    ~Copier() {
        // Whatever we created and did not hand over on success goes again.
        out_.reset();
        if (!created_.empty())
            ::unlink(created_.c_str());
    }

    int run(const std::filesystem::path& source, const std::filesystem::path& destination, unsigned flags);

private:
    // Calls the progress routine; false when it asks to stop.
    bool report(std::int64_t total, std::int64_t transferred, CopyReason reason) {
        if (!progress_)
            return true;
        switch (progress_(total, transferred, reason, context_)) {
        case CopyProgressResult::Continue:
            return true;
        case CopyProgressResult::Quiet:
            progress_ = nullptr;
            return true;
        case CopyProgressResult::Cancel:
        case CopyProgressResult::Stop:
            break;
        }
        return false;
    }

    int openDestination(const std::string& target, bool failIfExists);

    CopyProgressRoutine progress_;
    void* context_;
    const std::atomic<std::int32_t>* cancel_;
    FileHandle out_;
    std::string created_;   // the file we created: removed again unless the copy succeeds
    std::string replacing_; // the destination the temporary file replaces at the end
};

int Copier::openDestination(const std::string& target, bool failIfExists) {
    // A new file is written in place: it is ours from the start.
    out_.reset(::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR));
    if (out_) {
        created_ = target;
        return 0;
    }
    if (errno != EEXIST || failIfExists)
        return errno;

    // Replacing an existing entry: it must be a writable file. The mode bits are
    // checked here because root could write to a read-only file anyway.
    struct stat existing {};
    if (::stat(target.c_str(), &existing) != 0 && ::lstat(target.c_str(), &existing) != 0)
        return errno;
    if (S_ISDIR(existing.st_mode))
        return EISDIR;
    if (!S_ISLNK(existing.st_mode) && (existing.st_mode & S_IWUSR) == 0)
        return EACCES;

    std::string pattern = temporaryPattern(target);
    out_.reset(::mkostemp(pattern.data(), O_CLOEXEC));
    if (!out_)
        return errno;
    created_ = pattern;
    replacing_ = target;
    return 0;
}

int Copier::run(const std::filesystem::path& source, const std::filesystem::path& destination,
                unsigned flags) {
    if (isCancelled(cancel_))
        return ECANCELED;

    // O_NONBLOCK keeps a FIFO from blocking the open; it means nothing for a file.
    FileHandle in(::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!in)
        return errno;
    struct stat info {};
    if (::fstat(in.get(), &info) != 0)
        return errno;
    if (S_ISDIR(info.st_mode))
        return EISDIR;
    if (!S_ISREG(info.st_mode))
        return EINVAL;

    if (const int err = openDestination(destination.string(), (flags & CopyFailIfExists) != 0))
        return err;

    const std::int64_t total = info.st_size;
    if (!report(total, 0, CopyReason::StreamSwitch))
        return ECANCELED;
    if (total == 0 && !report(0, 0, CopyReason::ChunkFinished))
        return ECANCELED;

    bool useRangeCopy = true;
    std::vector<char> buffer;
    for (std::int64_t copied = 0; copied < total;) {
        if (isCancelled(cancel_))
            return ECANCELED;
        const auto count = static_cast<std::size_t>(std::min(copyChunkSize, total - copied));
        const ssize_t moved = moveChunk(in.get(), out_.get(), count, useRangeCopy, buffer);
        if (moved < 0)
            return errno;
        if (moved == 0)
            break; // the file became shorter while it was copied: keep what was there
        copied += moved;
        if (!report(total, copied, CopyReason::ChunkFinished))
            return ECANCELED;
    }
    if (isCancelled(cancel_))
        return ECANCELED;

    // Permission bits and times are carried over where the file system keeps them;
    // one that cannot (a FAT stick) still receives the data.
    (void)::fchmod(out_.get(), info.st_mode & 0777);
    const struct timespec times[2] = {info.st_atim, info.st_mtim};
    (void)::futimens(out_.get(), times);

    if (const int err = out_.close())
        return err;
    if (!replacing_.empty() && ::rename(created_.c_str(), replacing_.c_str()) != 0)
        return errno;
    created_.clear();
    return 0;
}

} // namespace

bool copyFileEx(const std::filesystem::path& source, const std::filesystem::path& destination,
                CopyProgressRoutine progress, void* context, const std::atomic<std::int32_t>* cancel,
                unsigned flags, int* error) {
    int err = 0;
    {
        Copier copier(progress, context, cancel);
        err = copier.run(source, destination, flags);
    }
    if (error)
        *error = err;
    return err == 0;
}

bool setArchiveOnly(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return false;
    return ::chmod(path.c_str(), S_ISDIR(info.st_mode) ? 0755 : 0644) == 0;
}

} // namespace velmora::platform
