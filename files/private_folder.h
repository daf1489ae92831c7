// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// A folder of the user's own for files handed to another program (a report for the browser):
// others may neither read what is put there nor plant a file or a link under a name it will
// use. Everything is done through the open folder, never through its path again.
#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <variant>

namespace files {

class PrivateFolder {
public:
    // `path` (its parent must exist), made with mode 0700 when missing. Refused, with the
    // reason, when it is a symbolic link or no folder, belongs to another user, or others may
    // enter it.
    static std::variant<PrivateFolder, std::string> Open(const std::string& path);

    PrivateFolder(PrivateFolder&& other) noexcept;
    PrivateFolder& operator=(PrivateFolder&&) = delete;
    ~PrivateFolder();

    const std::string& path() const { return path_; }

    struct Created {
        std::string path;
    };
    // A new file "<prefix><random letters><suffix>" with `content`, created exclusively with
    // mode 0600: never an existing file, never through a link. Its path, or the reason.
    std::variant<Created, std::string> Create(std::string_view prefix, std::string_view suffix,
                                              std::string_view content) const;

    // Removes the regular files named "<prefix>...<suffix>" last changed more than `age`
    // ago; how many.
    int RemoveOlderThan(std::string_view prefix, std::string_view suffix,
                        std::chrono::seconds age) const;

private:
    PrivateFolder(int fd, std::string path) : fd_(fd), path_(std::move(path)) { }
    int fd_;
    std::string path_;
};

}  // namespace files
