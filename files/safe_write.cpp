// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "files/safe_write.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <mutex>
#include <optional>
#include <random>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files {

namespace {

struct PendingTemporary;

// How a target is written.
enum class Method {
    Replace,  // a temporary renamed over it
    InPlace,  // a regular file with other hard links: rewritten, so that they all follow
    Direct,   // a FIFO or a character device: opened and written, nothing renamed
};

struct Target {
    Method method = Method::Replace;
    std::string destination;  // what is opened or replaced: a link's destination
    std::optional<struct stat> existing;
    // What the target is, to find two outputs on one file: the file's own device and inode,
    // or for a file still to be made its folder's and its name.
    dev_t device = 0;
    ino_t inode = 0;
    std::string name;

    int fd = -1;  // the temporary (Replace) or the target itself (InPlace, Direct)
    std::string temporary;
    PendingTemporary* pending = nullptr;  // the temporary's name for a signal handler
};

struct Problem {
    std::string reason;
    bool partlyWritten = false;  // the target holds part of the new content
};

std::string ErrnoText(int error)
{
    return std::strerror(error);
}

// "dir/" for "dir/name", "" for "name".
std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string NameOf(const std::string& path)
{
    return path.substr(FolderOf(path).size());
}

struct Followed {
    std::string path;
    // The chain passes a link of /proc (/dev/stdout, /proc/self/fd/N): the kernel follows it
    // to an open file, which may have no path of its own.
    bool toAnOpenFile = false;
};

// Where a chain of symbolic links ends, existing or not, as the kernel would follow it: a
// relative link is read from the link's own folder.
std::variant<Followed, Problem> FollowLinks(std::string path)
{
    Followed followed;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        const bool exists = ::lstat(path.c_str(), &st) == 0;
        if (!exists && errno != ENOENT)
            return Problem{ErrnoText(errno)};
        if (!exists || !S_ISLNK(st.st_mode)) {
            followed.path = path;
            return followed;
        }
        followed.toAnOpenFile = followed.toAnOpenFile || path.starts_with("/proc/");
        std::string link(PATH_MAX, '\0');
        const ssize_t length = ::readlink(path.c_str(), link.data(), link.size());
        if (length < 0)
            return Problem{ErrnoText(errno)};
        link.resize(static_cast<std::size_t>(length));
        path = link.starts_with('/') ? link : FolderOf(path) + link;
    }
    return Problem{ErrnoText(ELOOP)};
}

std::variant<Target, Problem> NewFile(const std::string& path)
{
    Target target;
    target.destination = path;
    target.name = NameOf(path);
    if (target.name.empty() || target.name == "." || target.name == "..")
        return Problem{ErrnoText(EISDIR)};
    const std::string folder = FolderOf(path);
    struct stat st;
    if (::stat(folder.empty() ? "." : folder.c_str(), &st) != 0)
        return Problem{ErrnoText(errno)};
    if (!S_ISDIR(st.st_mode))
        return Problem{ErrnoText(ENOTDIR)};
    target.device = st.st_dev;
    target.inode = st.st_ino;
    return target;
}

// In a folder with the sticky bit, only the owner of a file or of the folder may replace it.
bool StickyForbids(const std::string& destination, const struct stat& file)
{
    const std::string folder = FolderOf(destination);
    struct stat st;
    if (::stat(folder.empty() ? "." : folder.c_str(), &st) != 0 || !(st.st_mode & S_ISVTX))
        return false;
    const uid_t me = ::geteuid();
    return me != 0 && file.st_uid != me && st.st_uid != me;
}

std::variant<Target, Problem> ExistingFile(const std::string& destination, const struct stat& st)
{
    Target target;
    target.destination = destination;
    target.existing = st;
    target.device = st.st_dev;
    target.inode = st.st_ino;
    if (S_ISDIR(st.st_mode))
        return Problem{ErrnoText(EISDIR)};
    if (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode)) {
        target.method = Method::Direct;
        return target;
    }
    if (!S_ISREG(st.st_mode))
        return Problem{"neither a file, a FIFO nor a character device"};
    // A file the user made read-only is not replaced behind its back.
    if (::faccessat(AT_FDCWD, destination.c_str(), W_OK, AT_EACCESS) != 0)
        return Problem{ErrnoText(errno)};
    if (StickyForbids(destination, st))
        return Problem{ErrnoText(EPERM)};
    // Renaming over a hard-linked file would leave its other names with the old content,
    // which is not what a user who linked them expects; so such a file is rewritten in
    // place, after every other check and the temporaries, with its space reserved first.
    target.method = st.st_nlink > 1 ? Method::InPlace : Method::Replace;
    return target;
}

// What `path` is and how it is to be written; nothing is changed.
std::variant<Target, Problem> Examine(const std::string& path)
{
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0) {
        if (errno != ENOENT)
            return Problem{ErrnoText(errno)};
        return NewFile(path);
    }
    if (!S_ISLNK(st.st_mode))
        return ExistingFile(path, st);
    const auto chain = FollowLinks(path);
    if (const auto* problem = std::get_if<Problem>(&chain))
        return *problem;
    const Followed& followed = std::get<Followed>(chain);
    struct stat end;
    if (::stat(path.c_str(), &end) != 0)
        return errno == ENOENT ? NewFile(followed.path) : Problem{ErrnoText(errno)};
    struct stat read;
    if (!followed.toAnOpenFile && ::lstat(followed.path.c_str(), &read) == 0 &&
        read.st_dev == end.st_dev && read.st_ino == end.st_ino)
        return ExistingFile(followed.path, end);
    // An open file reached through /proc (/dev/stdout, /proc/self/fd/N) is what the caller
    // holds open, such as its standard output: it is written directly, at its end, as a
    // shell's redirection would.
    if (S_ISDIR(end.st_mode))
        return Problem{ErrnoText(EISDIR)};
    Target target;
    target.method = Method::Direct;
    target.destination = path;
    target.device = end.st_dev;
    target.inode = end.st_ino;
    return target;
}

bool SameFileAs(const Target& a, const Target& b)
{
    return a.device == b.device && a.inode == b.inode && a.name == b.name;
}

bool WriteAll(int fd, std::string_view content)
{
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = EIO;
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// ---- Temporaries removed when a signal ends the program ----

// The temporaries that exist now, in slots a signal handler may read: a slot is claimed,
// its name written, then published; the handler unlinks every published name. The flags are
// words, not bytes: RISC-V compares and swaps a byte only through libatomic.
struct PendingTemporary {
    std::atomic<int> claimed{0};
    std::atomic<int> published{0};
    char name[PATH_MAX] = {};
};
std::array<PendingTemporary, 64> pending;
constexpr int EndingSignals[] = {SIGINT, SIGTERM, SIGHUP};
std::array<struct sigaction, std::size(EndingSignals)> previousActions;
std::mutex handlersMutex;
int writersRunning = 0;  // under handlersMutex

extern "C" void RemoveTemporariesAndEnd(int signal)
{
    const int savedErrno = errno;
    for (PendingTemporary& slot : pending)
        if (slot.published.load())
            ::unlink(slot.name);
    // The signal's own action, as if the writer had never been there; it ends the program
    // once this handler returns.
    for (std::size_t i = 0; i < std::size(EndingSignals); ++i)
        if (EndingSignals[i] == signal)
            ::sigaction(signal, &previousActions[i], nullptr);
    ::raise(signal);
    errno = savedErrno;
}

// While a writer runs, SIGINT, SIGTERM and SIGHUP remove the temporaries before they end the
// program; a signal the program ignores stays ignored.
class TemporariesRemovedOnSignals {
public:
    TemporariesRemovedOnSignals()
    {
        const std::lock_guard lock(handlersMutex);
        if (writersRunning++ > 0)
            return;
        for (std::size_t i = 0; i < std::size(EndingSignals); ++i) {
            ::sigaction(EndingSignals[i], nullptr, &previousActions[i]);
            if (previousActions[i].sa_handler == SIG_IGN)
                continue;
            struct sigaction action { };
            action.sa_handler = RemoveTemporariesAndEnd;
            sigfillset(&action.sa_mask);
            ::sigaction(EndingSignals[i], &action, nullptr);
        }
    }
    ~TemporariesRemovedOnSignals()
    {
        const std::lock_guard lock(handlersMutex);
        if (--writersRunning > 0)
            return;
        for (std::size_t i = 0; i < std::size(EndingSignals); ++i)
            if (previousActions[i].sa_handler != SIG_IGN)
                ::sigaction(EndingSignals[i], &previousActions[i], nullptr);
    }
    TemporariesRemovedOnSignals(const TemporariesRemovedOnSignals&) = delete;
    TemporariesRemovedOnSignals& operator=(const TemporariesRemovedOnSignals&) = delete;
};

// The slot that now holds `name`, or nullptr when every slot is taken (more outputs than
// slots written at once: that temporary is then not removed on a signal).
PendingTemporary* Publish(const std::string& name)
{
    if (name.size() >= PATH_MAX)
        return nullptr;
    for (PendingTemporary& slot : pending) {
        int expected = 0;
        if (slot.claimed.compare_exchange_strong(expected, 1)) {
            std::memcpy(slot.name, name.c_str(), name.size() + 1);
            slot.published.store(1);
            return &slot;
        }
    }
    return nullptr;
}

void Withdraw(PendingTemporary*& slot)
{
    if (!slot)
        return;
    slot->published.store(0);
    slot->claimed.store(0);
    slot = nullptr;
}

// SIGINT, SIGTERM and SIGHUP held off while a file is rewritten in place, so that the run
// does not end with the file half old, half new; delivered when the file is whole.
class EndingSignalsHeld {
public:
    EndingSignalsHeld()
    {
        sigset_t held;
        sigemptyset(&held);
        for (const int signal : EndingSignals)
            sigaddset(&held, signal);
        ::pthread_sigmask(SIG_BLOCK, &held, &previous_);
    }
    ~EndingSignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
    EndingSignalsHeld(const EndingSignalsHeld&) = delete;
    EndingSignalsHeld& operator=(const EndingSignalsHeld&) = delete;

private:
    sigset_t previous_;
};

// A new hidden file beside `destination`, made with O_EXCL, with `mode` less the umask. The
// name is short whatever the destination's, so that a name of 255 bytes can still be
// replaced.
int CreateTemporary(const std::string& destination, mode_t mode, std::string& temporary)
{
    static constexpr char Letters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> letter(0, sizeof Letters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = FolderOf(destination) + ".b3-";
        for (int i = 0; i < 8; ++i)
            temporary += Letters[letter(random)];
        const int fd =
            ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Sets `error` and returns false when the test hook asks for a failure here.
bool Fault(const WriteHooks& hooks, Stage stage, std::size_t index, int& error)
{
    error = hooks.fault(stage, index);
    return error == 0;
}

// The temporary of a target that is replaced: whole, synced, with the old file's owner and
// mode (a new file: the mode the umask gives, as for any new file). Made with the old
// file's permissions at most, so that no one reads it who could not read the old file.
std::optional<Problem> WriteTemporary(Target& target, std::string_view content,
                                      const WriteHooks& hooks, std::size_t index)
{
    const std::optional<struct stat>& old = target.existing;
    {
        // The name is where a signal handler finds it before a signal can end the run.
        const EndingSignalsHeld held;
        target.fd =
            CreateTemporary(target.destination, old ? old->st_mode & 0777 : 0666, target.temporary);
        if (target.fd >= 0)
            target.pending = Publish(target.temporary);
    }
    if (target.fd < 0) {
        target.temporary.clear();
        return Problem{ErrnoText(errno)};
    }
    // A user who may not give a file away becomes its owner, as with any new file; one who
    // is a member of the file's group keeps that group, so that its members can still read
    // it.
    if (old && ::fchown(target.fd, old->st_uid, old->st_gid) != 0) {
        if (errno != EPERM)
            return Problem{ErrnoText(errno)};
        if (::fchown(target.fd, static_cast<uid_t>(-1), old->st_gid) != 0 && errno != EPERM)
            return Problem{ErrnoText(errno)};
    }
    if ((old && ::fchmod(target.fd, old->st_mode & 07777) != 0) || !WriteAll(target.fd, content))
        return Problem{ErrnoText(errno)};
    int error = 0;
    if (!Fault(hooks, Stage::TemporaryWritten, index, error))
        return Problem{ErrnoText(error)};
    if (::fsync(target.fd) != 0)
        return Problem{ErrnoText(errno)};
    if (!Fault(hooks, Stage::TemporarySynced, index, error))
        return Problem{ErrnoText(error)};
    const int fd = target.fd;
    target.fd = -1;
    if (::close(fd) != 0)
        return Problem{ErrnoText(errno)};
    return std::nullopt;
}

// Reserves `size` bytes of a file without changing its length. WebAssembly's C library has
// no fallocate: there it fails as on a file system that cannot reserve.
int ReserveSpace(int fd, off_t size)
{
#ifdef __EMSCRIPTEN__
    (void)fd, (void)size;
    errno = ENOSYS;
    return -1;
#else
    return ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, size);
#endif
}

// Opens a target written directly, so that a refusal comes before anything is written; a
// hard-linked file also gets its space reserved, and is opened for reading too, to put its
// old content back if need be. A FIFO waits here for its reader.
std::optional<Problem> OpenDirect(Target& target, std::string_view content, const WriteHooks& hooks,
                                  std::size_t index)
{
    const int flags = target.method == Method::Direct ? O_WRONLY | O_APPEND : O_RDWR;
    target.fd = ::open(target.destination.c_str(), flags | O_CLOEXEC | O_NOCTTY);
    if (target.fd < 0 && target.method == Method::InPlace && errno == EACCES)
        target.fd = ::open(target.destination.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (target.fd < 0)
        return Problem{ErrnoText(errno)};
    if (target.method == Method::InPlace) {
        int error = 0;
        if (Fault(hooks, Stage::Reserve, index, error))
            error = ReserveSpace(target.fd, static_cast<off_t>(content.size())) == 0 ? 0 : errno;
        if (error != 0 && error != EOPNOTSUPP && error != ENOSYS)
            return Problem{ErrnoText(error)};
    }
    return std::nullopt;
}

// The whole of an open file, or nothing when it cannot be read (opened for writing only).
std::optional<std::string> ReadWhole(int fd)
{
    std::string content;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::pread(fd, buffer, sizeof buffer, static_cast<off_t>(content.size()));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            return content;
        content.append(buffer, static_cast<std::size_t>(got));
    }
}

// `content` as the whole of the file open on `fd`, synced.
bool Rewrite(int fd, std::string_view content)
{
    return ::lseek(fd, 0, SEEK_SET) == 0 && WriteAll(fd, content) &&
           ::ftruncate(fd, static_cast<off_t>(content.size())) == 0 && ::fsync(fd) == 0;
}

// A hard-linked file rewritten in place, which no rename can make atomic: other runs of this
// writer wait for the lock, the signals that end a run wait until the file is whole, and a
// write that fails (a full file system that could not reserve the space) puts the old
// content back. Only a crash or a power cut can still leave it half written.
std::optional<Problem> RewriteInPlace(Target& target, std::string_view content,
                                      const WriteHooks& hooks, std::size_t index)
{
    const EndingSignalsHeld held;
    while (::flock(target.fd, LOCK_EX) != 0)
        if (errno != EINTR)
            return Problem{ErrnoText(errno)};
    const std::optional<std::string> old = ReadWhole(target.fd);
    int error = 0;
    if (!Fault(hooks, Stage::DirectWrite, index, error))
        return Problem{ErrnoText(error)};
    const bool written = ::lseek(target.fd, 0, SEEK_SET) == 0 && WriteAll(target.fd, content) &&
                         Fault(hooks, Stage::InPlaceWritten, index, error) &&
                         ::ftruncate(target.fd, static_cast<off_t>(content.size())) == 0 &&
                         ::fsync(target.fd) == 0;
    if (!written) {
        const int failure = error != 0 ? error : errno;
        const bool restored = old && Rewrite(target.fd, *old);
        return Problem{ErrnoText(failure), !restored};
    }
    return std::nullopt;
}

// The content into a target opened by OpenDirect: a FIFO or a device gets it as it comes, a
// hard-linked file is rewritten whole.
std::optional<Problem> WriteDirect(Target& target, std::string_view content,
                                   const WriteHooks& hooks, std::size_t index)
{
    if (target.method == Method::InPlace) {
        if (auto problem = RewriteInPlace(target, content, hooks, index))
            return problem;
    } else {
        int error = 0;
        if (!Fault(hooks, Stage::DirectWrite, index, error))
            return Problem{ErrnoText(error), true};
        if (!WriteAll(target.fd, content))
            return Problem{ErrnoText(errno), true};
    }
    const int fd = target.fd;
    target.fd = -1;
    if (::close(fd) != 0)
        return Problem{ErrnoText(errno), target.method == Method::Direct};
    return std::nullopt;
}

// A folder holds a new name for good once the folder itself is synced.
void SyncFolder(const std::string& folder)
{
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Closes what is open and removes every temporary still there.
void CleanUp(std::vector<Target>& targets)
{
    for (Target& target : targets) {
        if (target.fd >= 0)
            ::close(target.fd);
        target.fd = -1;
        if (!target.temporary.empty())
            ::unlink(target.temporary.c_str());
        target.temporary.clear();
        Withdraw(target.pending);
    }
}

class Writer {
public:
    Writer(std::span<const Output> outputs, const WriteHooks& hooks)
        : outputs_(outputs), hooks_(hooks)
    {
    }
    ~Writer() { CleanUp(targets_); }

    WriteResult Run()
    {
        if (auto refused = Check())
            return *refused;
        const TemporariesRemovedOnSignals removedOnSignals;
        for (std::size_t i = 0; i < targets_.size(); ++i) {
            Target& target = targets_[i];
            const auto problem = target.method == Method::Replace
                                     ? WriteTemporary(target, outputs_[i].content, hooks_, i)
                                     : OpenDirect(target, outputs_[i].content, hooks_, i);
            if (problem)
                return Failure(i, problem->reason);
        }
        if (!hooks_.flushStandardOutput()) {
            CleanUp(targets_);
            return StandardOutputLost{};
        }
        return Commit();
    }

private:
    std::optional<WriteResult> Check()
    {
        std::vector<std::optional<Problem>> problems;
        for (const Output& output : outputs_) {
            auto examined = Examine(output.path);
            if (auto* problem = std::get_if<Problem>(&examined)) {
                problems.emplace_back(std::move(*problem));
                targets_.emplace_back();
                targets_.back().device = ~dev_t{0};  // matches nothing
            } else {
                problems.emplace_back();
                targets_.push_back(std::move(std::get<Target>(examined)));
            }
        }
        for (std::size_t second = 0; second < targets_.size(); ++second)
            for (std::size_t first = 0; first < second; ++first)
                if (outputs_[first].path == outputs_[second].path ||
                    (!problems[first] && !problems[second] &&
                     SameFileAs(targets_[first], targets_[second])))
                    return SameFile{first, second};
        for (std::size_t i = 0; i < problems.size(); ++i)
            if (problems[i])
                return Failure(i, problems[i]->reason);
        return std::nullopt;
    }

    // The replacements, then the direct writes; at the first failure, what happened.
    WriteResult Commit()
    {
        std::vector<std::size_t> order;
        for (std::size_t i = 0; i < targets_.size(); ++i)
            if (targets_[i].method == Method::Replace)
                order.push_back(i);
        for (std::size_t i = 0; i < targets_.size(); ++i)
            if (targets_[i].method != Method::Replace)
                order.push_back(i);
        for (const std::size_t i : order) {
            Target& target = targets_[i];
            if (target.method != Method::Replace) {
                if (const auto problem = WriteDirect(target, outputs_[i].content, hooks_, i)) {
                    CannotWrite failure = Failure(i, problem->reason);
                    failure.partlyWritten = problem->partlyWritten;
                    return failure;
                }
            } else {
                int error = 0;
                if (!Fault(hooks_, Stage::Rename, i, error) ||
                    ::rename(target.temporary.c_str(), target.destination.c_str()) != 0)
                    return Failure(i, ErrnoText(error != 0 ? error : errno));
                target.temporary.clear();
                Withdraw(target.pending);
            }
            done_.push_back(i);
        }
        SyncFolders();
        return Written{};
    }

    // Each folder a file was renamed into, once.
    void SyncFolders() const
    {
        std::vector<std::string> folders;
        for (const std::size_t i : done_)
            if (targets_[i].method == Method::Replace)
                folders.push_back(FolderOf(targets_[i].destination));
        std::sort(folders.begin(), folders.end());
        folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
        for (const std::string& folder : folders)
            SyncFolder(folder);
    }

    CannotWrite Failure(std::size_t index, std::string reason)
    {
        CleanUp(targets_);
        SyncFolders();
        CannotWrite failure{index, std::move(reason), done_, {}};
        for (std::size_t i = 0; i < outputs_.size(); ++i)
            if (i != index && std::find(done_.begin(), done_.end(), i) == done_.end())
                failure.untouched.push_back(i);
        return failure;
    }

    std::span<const Output> outputs_;
    const WriteHooks& hooks_;
    std::vector<Target> targets_;
    std::vector<std::size_t> done_;  // replaced or written, in order
};

}  // namespace

WriteResult WriteFiles(std::span<const Output> outputs, const WriteHooks& hooks)
{
    return Writer(outputs, hooks).Run();
}

bool NamesStandardOutput(const std::string& path)
{
    struct stat named;
    struct stat standardOutput;
    return ::stat(path.c_str(), &named) == 0 && ::fstat(STDOUT_FILENO, &standardOutput) == 0 &&
           named.st_dev == standardOutput.st_dev && named.st_ino == standardOutput.st_ino;
}

}  // namespace files
