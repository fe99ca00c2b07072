// Measures the file copy of the restore worker beside cp on the same data in the
// same run: one large file, and a tree of many small files copied file by file.
// Prints "name: value" lines; the ratios are our time divided by cp's (best of the
// repetitions each).
//
// copybench [--reps N] [--large-mib N] [--small-files N] [--small-kib N]
// The data lies in a temporary folder under $BENCH_DIR (default /tmp), removed at the end.
#include "platform/filecopy.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using namespace velmora::platform;

namespace {

struct Options {
    int reps = 3;
    long largeMiB = 1024;
    long smallFiles = 20000;
    long smallKiB = 16;
};

Options parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const long value = std::strtol(argv[i + 1], nullptr, 10);
        if (name == "--reps")
            options.reps = static_cast<int>(std::max(1L, value));
        else if (name == "--large-mib")
            options.largeMiB = std::max(1L, value);
        else if (name == "--small-files")
            options.smallFiles = std::max(1L, value);
        else if (name == "--small-kib")
            options.smallKiB = std::max(1L, value);
        else {
            std::fprintf(stderr, "unknown option %s\n", argv[i]);
            std::exit(2);
        }
    }
    return options;
}

void fill(std::vector<char>& block, unsigned seed) {
    for (char& c : block) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 16);
    }
}

void writeData(const fs::path& file, long long size, unsigned seed) {
    std::vector<char> block(static_cast<std::size_t>(std::min<long long>(size, 8LL << 20)));
    fill(block, seed);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    for (long long left = size; left > 0;) {
        const auto n =
            static_cast<std::streamsize>(std::min<long long>(left, static_cast<long long>(block.size())));
        out.write(block.data(), n);
        left -= n;
    }
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

std::string numbered(const char* prefix, long number, const char* suffix = "") {
    char name[64];
    std::snprintf(name, sizeof name, "%s%ld%s", prefix, number, suffix);
    return name;
}

// 10 folders of 10 subfolders each, the files spread over the 100 subfolders.
void makeTree(const fs::path& root, long files, long kib) {
    for (long i = 0; i < files; ++i) {
        const fs::path folder = root / numbered("d", i % 10) / numbered("e", i / 10 % 10);
        if (i < 100)
            fs::create_directories(folder);
        writeData(folder / numbered("file", i, ".dat"), kib * 1024, static_cast<unsigned>(i));
    }
}

CopyProgressResult progress(std::int64_t total, std::int64_t transferred, CopyReason reason, void* context) {
    // What the restore worker does: a whole-number percentage, kept when it changes.
    if (reason == CopyReason::ChunkFinished && total > 0) {
        int& percent = *static_cast<int*>(context);
        percent = static_cast<int>(transferred * 100 / total);
    }
    return CopyProgressResult::Continue;
}

std::atomic<std::int32_t> cancelFlag{0};

void copyOurs(const fs::path& source, const fs::path& destination) {
    int percent = 0;
    int error = 0;
    if (!copyFileEx(source, destination, progress, &percent, &cancelFlag, CopyFailIfExists, &error))
        throw std::runtime_error("copy of " + source.string() + " failed: " + std::strerror(error));
}

// The restore worker's walk: one folder after another, creating each destination
// folder before its files are copied into it.
void copyTreeOurs(const fs::path& source, const fs::path& destination) {
    fs::create_directory(destination);
    for (const fs::directory_entry& entry : fs::directory_iterator(source)) {
        const fs::path target = destination / entry.path().filename();
        if (entry.is_directory())
            copyTreeOurs(entry.path(), target);
        else
            copyOurs(entry.path(), target);
    }
}

void run(const std::vector<std::string>& command) {
    std::vector<char*> args;
    for (const std::string& arg : command)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("command failed: " + command[0]);
}

// The time of one run, with the destination dropped and the disk quiet before it.
double timed(const fs::path& destination, const std::function<void()>& work) {
    fs::remove_all(destination);
    sync();
    const auto start = std::chrono::steady_clock::now();
    work();
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double>(end - start).count();
}

} // namespace

int main(int argc, char** argv) {
    const Options options = parse(argc, argv);
    const char* base = std::getenv("BENCH_DIR");
    std::string pattern = (fs::path(base && *base ? base : "/tmp") / "velmora-copybench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        return 1;
    }
    const fs::path dir = pattern;
    int status = 0;
    try {
        const fs::path large = dir / "large.bin", largeCopy = dir / "large.copy";
        const fs::path tree = dir / "tree", treeCopy = dir / "tree.copy";
        std::fprintf(stderr, "preparing data in %s\n", dir.c_str());
        writeData(large, static_cast<long long>(options.largeMiB) << 20, 1);
        makeTree(tree, options.smallFiles, options.smallKiB);

        double largeOurs = std::numeric_limits<double>::max(), largeCp = largeOurs;
        double smallOurs = largeOurs, smallCp = largeOurs;
        for (int rep = 0; rep < options.reps; ++rep) {
            // Alternate who goes first, so neither always meets a busier disk.
            const bool oursFirst = rep % 2 == 0;
            for (int turn = 0; turn < 2; ++turn) {
                if ((turn == 0) == oursFirst) {
                    largeOurs = std::min(largeOurs, timed(largeCopy, [&] { copyOurs(large, largeCopy); }));
                    smallOurs = std::min(smallOurs, timed(treeCopy, [&] { copyTreeOurs(tree, treeCopy); }));
                } else {
                    largeCp = std::min(largeCp, timed(largeCopy, [&] { run({"cp", large, largeCopy}); }));
                    smallCp = std::min(smallCp, timed(treeCopy, [&] { run({"cp", "-r", tree, treeCopy}); }));
                }
            }
            std::fprintf(stderr, "repetition %d done\n", rep + 1);
        }
        std::printf("chunk_size_bytes: %lld\n", static_cast<long long>(copyChunkSize));
        std::printf("repetitions: %d\n", options.reps);
        std::printf("copy_large_bytes: %lld\n", static_cast<long long>(options.largeMiB) << 20);
        std::printf("copy_large_ours_s: %.4f\n", largeOurs);
        std::printf("copy_large_cp_s: %.4f\n", largeCp);
        std::printf("copy_large_vs_cp: %.3f\n", largeOurs / largeCp);
        std::printf("copy_small_files: %ld\n", options.smallFiles);
        std::printf("copy_small_ours_s: %.4f\n", smallOurs);
        std::printf("copy_small_cp_s: %.4f\n", smallCp);
        std::printf("copy_small_vs_cp: %.3f\n", smallOurs / smallCp);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "copybench: %s\n", e.what());
        status = 1;
    }
    std::error_code ec;
    fs::remove_all(dir, ec);
    return status;
}
