// The one way this program replaces a file: the new content goes to a fresh temporary file in the
// same folder (unique name, created exclusively, so nothing planted there is followed or
// overwritten), is flushed to the disk, and is then renamed over the target. Either the whole new
// file is there afterwards or the old one is, byte for byte; a failed write leaves no temporary
// file behind and says what could not be written and why.
//
// A link at the target's name is replaced, never followed. The new file gets the requested mode,
// but a rewrite never loosens the mode the old file had (a file the user made 0600 stays 0600).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace nxui {

enum class FileSecrecy {
  Normal,  // 0644
  Secret,  // 0600: files that hold pass phrases or keys
};

// Replaces `path` with `content`. On failure returns false and sets `error` to "PATH: reason".
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view content, FileSecrecy secrecy,
                         std::string& error);

// Creates `folder` (and missing parents) readable by its owner only (0700). An existing folder is
// left as it is. False with `error` when it cannot be created or is not a folder.
bool EnsurePrivateFolder(const std::filesystem::path& folder, std::string& error);

// Steps of a write at which tests make it fail.
enum class AtomicWriteStep { Create, Write, Flush, Rename };

// Test hook: the next write through WriteFileAtomically fails at `step` with `errorNumber` (for
// example ENOSPC at Write for a full disk, EROFS or EACCES at Create for a read-only folder).
// Holds until it fires once; `ClearAtomicWriteFault` disarms it. Returns whether the last armed
// fault fired.
void ArmAtomicWriteFault(AtomicWriteStep step, int errorNumber);
bool ClearAtomicWriteFault();

}  // namespace nxui
