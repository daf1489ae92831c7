// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Writes the files a user named so that what the user had is never lost: every target is
// checked before anything is written, each file is whole before it takes the old one's
// place, and a failure says exactly which files were replaced and which were not.
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace files {

struct Output {
    std::string path;
    std::string_view content;  // kept alive by the caller until WriteFiles returns
};

// The points at which a test can make the writer fail, as a full disk or a lost file
// would: after a temporary's content is written, after it is synced, at its rename, at a
// direct write into a FIFO, a device or a hard-linked file, when a hard-linked file's space
// is reserved (EOPNOTSUPP: a file system that cannot reserve, such as ext2) and after a
// hard-linked file's new content is written over the old.
enum class Stage {
    TemporaryWritten,
    TemporarySynced,
    Rename,
    DirectWrite,
    Reserve,
    InPlaceWritten
};

struct WriteHooks {
    // Writes and flushes standard output; false when it could not. Called once, after every
    // temporary is written and synced and before the first file is replaced or written
    // directly.
    std::function<bool()> flushStandardOutput = [] { return true; };
    // Tests only: an errno value to fail with at `stage` of output `index`, 0 to go on.
    std::function<int(Stage stage, std::size_t index)> fault = [](Stage, std::size_t) { return 0; };
};

struct Written { };
// Two outputs that name one file (the same text, or one file through links or "..").
struct SameFile {
    std::size_t first;
    std::size_t second;
};
// Output `index` could not be written, for `reason`. Before the first replacement nothing
// was written and `replaced` is empty; later the outputs in `replaced` hold their new
// content and those in `untouched` are as the user had them. `partlyWritten`: the failed
// target (a FIFO, a device, or a hard-linked file whose old content could not be put back)
// received part of its content.
struct CannotWrite {
    std::size_t index;
    std::string reason;
    std::vector<std::size_t> replaced;
    std::vector<std::size_t> untouched;
    bool partlyWritten = false;
};
// The standard-output hook failed: nothing was written, no temporary is left.
struct StandardOutputLost { };
using WriteResult = std::variant<Written, SameFile, CannotWrite, StandardOutputLost>;

// Writes every output:
// - a regular file is replaced by a temporary in its folder (hidden, short name), written,
//   synced, given the old file's mode, owner and group (where the user may keep them) and
//   renamed over it; a file with more than one hard link is rewritten in place instead, so
//   that every name still shows the same content: its space reserved first, under a lock
//   that other runs of this writer take too, with SIGINT, SIGTERM and SIGHUP held off, and
//   its old content put back when the new cannot be written whole;
// - a symbolic link is written through: the link stays, its destination is replaced;
// - a FIFO, a character device and /dev/stdout or /proc/self/fd/N are written directly;
// - a folder, a missing folder, a file the user may not write, a block device or a socket
//   fail before anything is written.
// Replacements happen in the order given, then the direct writes. A run ended by SIGINT,
// SIGTERM or SIGHUP while it writes leaves no temporary behind.
WriteResult WriteFiles(std::span<const Output> outputs, const WriteHooks& hooks = {});

// Whether `path` names the file that standard output is open on, in any spelling:
// /dev/stdout, /proc/self/fd/1, the file's own path or a link to it.
bool NamesStandardOutput(const std::string& path);

}  // namespace files
