// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "files/private_folder.h"

#include <cerrno>
#include <cstring>
#include <ctime>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files {
namespace {

std::string Reason(int error)
{
    return std::strerror(error);
}

// Letters a file name may hold anywhere, 36 of them: 12 give about 62 bits.
std::string RandomLetters(std::size_t count)
{
    static constexpr std::string_view Letters = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string bytes(count, '\0');
    // getentropy: the system's random source, as glibc and emscripten both offer it.
    if (count > 256 || getentropy(bytes.data(), count) != 0)
        return {};
    for (char& c : bytes)
        c = Letters[static_cast<unsigned char>(c) % Letters.size()];
    return bytes;
}

bool WriteAll(int fd, std::string_view content)
{
    while (!content.empty()) {
        const ssize_t n = write(fd, content.data(), content.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        content.remove_prefix(std::size_t(n));
    }
    return true;
}

}  // namespace

std::variant<PrivateFolder, std::string> PrivateFolder::Open(const std::string& path)
{
    // Whoever may rename entries of the folder above could put a folder of theirs in its
    // place once it is checked: that folder must be the user's or the system's, and shared
    // only as /tmp is (sticky).
    const std::size_t slash = path.find_last_of('/');
    const std::string parent = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    struct stat above { };
    if (stat(parent.c_str(), &above) != 0)
        return "cannot read the folder above it: " + Reason(errno);
    if ((above.st_uid != geteuid() && above.st_uid != 0) ||
        ((above.st_mode & 022) != 0 && (above.st_mode & S_ISVTX) == 0))
        return "the folder above it is another user's or open to others";
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
        return "cannot make the folder: " + Reason(errno);
    const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOTDIR || errno == ELOOP ? std::string("it is a link or no folder")
                                                  : "cannot open the folder: " + Reason(errno);
    struct stat st { };
    std::string refusal;
    if (fstat(fd, &st) != 0)
        refusal = "cannot read the folder's owner: " + Reason(errno);
    else if (st.st_uid != geteuid())
        refusal = "it belongs to another user";
    else if ((st.st_mode & 077) != 0)
        refusal = "other users may enter it";
    if (!refusal.empty()) {
        close(fd);
        return refusal;
    }
    return PrivateFolder(fd, path);
}

PrivateFolder::PrivateFolder(PrivateFolder&& other) noexcept
    : fd_(other.fd_), path_(std::move(other.path_))
{
    other.fd_ = -1;
}

PrivateFolder::~PrivateFolder()
{
    if (fd_ >= 0)
        close(fd_);
}

std::variant<PrivateFolder::Created, std::string>
PrivateFolder::Create(std::string_view prefix, std::string_view suffix,
                      std::string_view content) const
{
    // A name taken already (by chance, or by another of the user's programs) is tried again.
    for (int attempt = 0; attempt < 8; ++attempt) {
        const std::string letters = RandomLetters(12);
        if (letters.empty())
            return "no random name: " + Reason(errno);
        const std::string name = std::string(prefix) + letters + std::string(suffix);
        const int fd =
            openat(fd_, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return Reason(errno);
        }
        const bool written = WriteAll(fd, content);
        const int error = errno;
        if (close(fd) != 0 || !written) {
            unlinkat(fd_, name.c_str(), 0);
            return Reason(written ? errno : error);
        }
        return Created{path_ + "/" + name};
    }
    return "every random name was taken";
}

int PrivateFolder::RemoveOlderThan(std::string_view prefix, std::string_view suffix,
                                   std::chrono::seconds age) const
{
    // Listed by its path (a name another program put there is only a name: each is looked
    // at and removed through the open folder).
    DIR* folder = opendir(path_.c_str());
    if (!folder)
        return 0;
    const std::time_t before = std::time(nullptr) - std::time_t(age.count());
    int removed = 0;
    while (const dirent* entry = readdir(folder)) {
        const std::string_view name = entry->d_name;
        if (name.size() < prefix.size() + suffix.size() || !name.starts_with(prefix) ||
            !name.ends_with(suffix))
            continue;
        struct stat st { };
        if (fstatat(fd_, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
            st.st_mtime < before && unlinkat(fd_, entry->d_name, 0) == 0)
            ++removed;
    }
    closedir(folder);
    return removed;
}

}  // namespace files
