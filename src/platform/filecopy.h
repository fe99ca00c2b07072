// The file copy of the restore worker: a copy with a progress routine and a
// cancel flag that never leaves a half-written destination behind.
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>

namespace velmora::platform {

// Why the progress routine is called: once before the data moves (StreamSwitch),
// then after every chunk (ChunkFinished).
enum class CopyReason { StreamSwitch, ChunkFinished };

// What the progress routine answers. Cancel and Stop both abort the copy and
// remove the partial destination; Quiet lets the copy go on without further calls.
enum class CopyProgressResult { Continue, Cancel, Stop, Quiet };

using CopyProgressRoutine = CopyProgressResult (*)(std::int64_t totalBytes, std::int64_t transferred,
                                                   CopyReason reason, void* context);

enum CopyFlags : unsigned { CopyNone = 0, CopyFailIfExists = 1 };

// Bytes moved per chunk, and so the distance between two progress calls.
inline constexpr std::int64_t copyChunkSize = 4 * 1024 * 1024;

// Copies the regular file source (symbolic links followed) to destination.
// - progress (may be null) is called once with StreamSwitch, then after each chunk
//   with the total and the bytes transferred so far; a zero-byte file gets one
//   ChunkFinished call with 0 of 0.
// - cancel (may be null): a non-zero value aborts the copy; it is read before the
//   copy and between chunks.
// - CopyFailIfExists: the copy fails with EEXIST when destination exists. Without it
//   an existing destination is replaced, unless it is read-only (no owner write bit,
//   EACCES) or a folder (EISDIR). The new content is written to a temporary file in
//   the destination's folder and renamed over the destination at the end, so a
//   failed or cancelled overwrite leaves the old file as it was.
// - The source's permission bits (0777) and modification time are carried over.
// - On any failure the partial destination is removed, the copy returns false and
//   *error (if given) receives an errno value: ECANCELED when cancelled, EISDIR for a
//   folder source.
bool copyFileEx(const std::filesystem::path& source, const std::filesystem::path& destination,
                CopyProgressRoutine progress, void* context, const std::atomic<std::int32_t>* cancel,
                unsigned flags, int* error = nullptr);

// Resets an entry to "archive alone": 0644 for a file, 0755 for a folder.
// Returns false when the entry does not exist or cannot be changed.
bool setArchiveOnly(const std::filesystem::path& path);

} // namespace velmora::platform
