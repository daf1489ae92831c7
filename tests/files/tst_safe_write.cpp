// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The safe writer on every kind of target and at every stage it can fail: what the user had
// is intact or wholly replaced, no temporary is left, and the result says what happened.
#include <functional>
#include <string>
#include <vector>

#include <grp.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include "files/safe_write.h"
#include "scratch.h"

namespace {

using files::Stage;
using scratch::Described;
using scratch::Folder;

const std::string New[] = {"new 0\n", "new 1\n", "new 2\n"};

struct Fault {
    Stage stage;
    std::size_t index;
    int error;
};

struct MatrixRow {
    const char* name;
    // Makes what the user had and names the targets, one per content of New.
    std::function<std::vector<std::string>(Folder&)> setup;
    std::string expected;  // Described() of the result
    // What the folder holds afterwards, beside "no temporary".
    std::function<void(Folder&)> check;
    std::optional<Fault> fault = std::nullopt;
    bool standardOutputFails = false;
};

void PrintTo(const MatrixRow& row, std::ostream* out)
{
    *out << row.name;
}

class Matrix : public testing::TestWithParam<MatrixRow> { };

TEST_P(Matrix, keepsWhatTheUserHadAndLeavesNoTemporary)
{
    const MatrixRow& row = GetParam();
    ::umask(022);
    Folder folder;
    const std::vector<std::string> paths = row.setup(folder);
    std::vector<files::Output> outputs;
    for (std::size_t i = 0; i < paths.size(); ++i)
        outputs.push_back({paths[i], New[i]});
    files::WriteHooks hooks;
    bool flushed = false;
    hooks.flushStandardOutput = [&] {
        flushed = true;
        return !row.standardOutputFails;
    };
    hooks.fault = [&](Stage stage, std::size_t index) {
        if (stage == Stage::Rename || stage == Stage::DirectWrite) {
            EXPECT_TRUE(flushed) << "standard output comes before any file is replaced";
        }
        return row.fault && row.fault->stage == stage && row.fault->index == index
                   ? row.fault->error
                   : 0;
    };
    EXPECT_EQ(Described(files::WriteFiles(outputs, hooks)), row.expected);
    EXPECT_EQ(folder.Temporaries(), std::vector<std::string>{});
    row.check(folder);
}

// Three files the user had, "old 0" to "old 2", as the targets.
std::vector<std::string> ThreeOld(Folder& folder)
{
    for (int i = 0; i < 3; ++i)
        folder.Write("f" + std::to_string(i), "old " + std::to_string(i) + "\n");
    return {folder / "f0", folder / "f1", folder / "f2"};
}

// The contents of f0 to f2: "old", "new" or "" for none.
std::function<void(Folder&)> Holds(std::vector<std::string> states)
{
    return [states](Folder& folder) {
        for (std::size_t i = 0; i < states.size(); ++i) {
            const std::string name = "f" + std::to_string(i);
            if (states[i].empty())
                EXPECT_FALSE(scratch::fs::exists(folder.path() / name)) << name;
            else
                EXPECT_EQ(folder.Read(name), states[i] + " " + std::to_string(i) + "\n") << name;
        }
    };
}

// ThreeOld with f0 hard-linked as h0.
std::vector<std::string> ThreeOldFirstHardLinked(Folder& folder)
{
    auto paths = ThreeOld(folder);
    scratch::fs::create_hard_link(folder.path() / "f0", folder.path() / "h0");
    return paths;
}

// Holds, and h0 the same as f0.
std::function<void(Folder&)> HoldsWithLink(std::vector<std::string> states)
{
    return [states](Folder& folder) {
        Holds(states)(folder);
        EXPECT_EQ(folder.Read("h0"), folder.Read("f0"));
        EXPECT_EQ(scratch::fs::hard_link_count(folder.path() / "f0"), 2u);
    };
}

mode_t ModeOf(const std::string& path)
{
    struct stat st { };
    ::lstat(path.c_str(), &st);
    return st.st_mode;
}

const std::string LongName = std::string(250, 'n') + ".cir";
int pipeEnds[2] = {-1, -1};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, Matrix, testing::Values(
    MatrixRow{"newFiles", [](Folder& f) { return std::vector{f / "a.cir", f / "b.svg"}; },
        "written",
        [](Folder& f) {
            EXPECT_EQ(f.Read("a.cir"), New[0]);
            EXPECT_EQ(f.Read("b.svg"), New[1]);
            EXPECT_EQ(ModeOf(f / "a.cir") & 07777, 0644u) << "the umask's mode";
            EXPECT_EQ(f.Names(), (std::vector<std::string>{"a.cir", "b.svg"}));
        }},
    MatrixRow{"regularFileKeepsMode0600",
        [](Folder& f) { f.Write("r.html", "old", 0600); return std::vector{f / "r.html"}; },
        "written",
        [](Folder& f) {
            EXPECT_EQ(f.Read("r.html"), New[0]);
            EXPECT_EQ(ModeOf(f / "r.html"), S_IFREG | 0600u);
        }},
    MatrixRow{"symlinkIsWrittenThrough",
        [](Folder& f) {
            f.Write("target.svg", "old", 0640);
            scratch::fs::create_symlink("target.svg", f.path() / "link.svg");
            return std::vector{f / "link.svg"};
        },
        "written",
        [](Folder& f) {
            EXPECT_TRUE(S_ISLNK(ModeOf(f / "link.svg")));
            EXPECT_EQ(scratch::fs::read_symlink(f.path() / "link.svg"), "target.svg");
            EXPECT_EQ(f.Read("target.svg"), New[0]);
            EXPECT_EQ(ModeOf(f / "target.svg") & 07777, 0640u);
        }},
    MatrixRow{"chainOfRelativeLinksAcrossFolders",
        [](Folder& f) {
            scratch::fs::create_directories(f.path() / "sub" / "deep");
            f.Write("sub/t.cir", "old");
            scratch::fs::create_symlink("../t.cir", f.path() / "sub" / "deep" / "l2");
            scratch::fs::create_symlink("sub/deep/l2", f.path() / "l1");
            return std::vector{f / "l1"};
        },
        "written",
        [](Folder& f) {
            EXPECT_EQ(f.Read("sub/t.cir"), New[0]);
            EXPECT_TRUE(S_ISLNK(ModeOf(f / "l1")));
            EXPECT_TRUE(S_ISLNK(ModeOf(f / "sub/deep/l2")));
        }},
    MatrixRow{"danglingLinkMakesItsDestination",
        [](Folder& f) {
            scratch::fs::create_directory(f.path() / "sub");
            scratch::fs::create_symlink("sub/new.cir", f.path() / "link.cir");
            return std::vector{f / "link.cir"};
        },
        "written",
        [](Folder& f) {
            EXPECT_EQ(f.Read("sub/new.cir"), New[0]);
            EXPECT_TRUE(S_ISLNK(ModeOf(f / "link.cir")));
        }},
    MatrixRow{"hardLinkedFileIsRewrittenForEveryName",
        [](Folder& f) {
            f.Write("a.cir", std::string(10000, '~'), 0600);
            scratch::fs::create_hard_link(f.path() / "a.cir", f.path() / "b.cir");
            return std::vector{f / "a.cir"};
        },
        "written",
        [](Folder& f) {
            EXPECT_EQ(f.Read("a.cir"), New[0]);
            EXPECT_EQ(f.Read("b.cir"), New[0]);
            EXPECT_EQ(scratch::fs::hard_link_count(f.path() / "a.cir"), 2u);
        }},
    MatrixRow{"fifoIsWrittenDirectly",
        [](Folder& f) {
            ::mkfifo((f / "p").c_str(), 0600);
            f.StartReading(f / "p");
            return std::vector{f / "p"};
        },
        "written",
        [](Folder& f) {
            EXPECT_EQ(f.ReadByReader(), New[0]);
            EXPECT_TRUE(S_ISFIFO(ModeOf(f / "p")));
            EXPECT_EQ(f.Names(), std::vector<std::string>{"p"});
        }},
    MatrixRow{"openPipeThroughProcSelfFd",
        [](Folder& f) {
            EXPECT_EQ(::pipe(pipeEnds), 0);
            f.StartReading("/proc/self/fd/" + std::to_string(pipeEnds[0]));
            return std::vector{"/proc/self/fd/" + std::to_string(pipeEnds[1])};
        },
        "written",
        [](Folder& f) {
            ::close(pipeEnds[1]);
            EXPECT_EQ(f.ReadByReader(), New[0]);
            ::close(pipeEnds[0]);
        }},
    MatrixRow{"openRegularFileThroughProcSelfFdIsNotReplaced",
        [](Folder& f) {
            pipeEnds[1] = ::open((f / "out.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            EXPECT_EQ(::write(pipeEnds[1], "text\n", 5), 5);
            return std::vector{"/proc/self/fd/" + std::to_string(pipeEnds[1])};
        },
        "written",
        [](Folder& f) {
            struct stat open {};
            ::fstat(pipeEnds[1], &open);
            ::close(pipeEnds[1]);
            EXPECT_EQ(f.Read("out.txt"), "text\n" + New[0]) << "written after the text";
            EXPECT_EQ(open.st_nlink, 1u) << "the open file is still the one in the folder";
        }},
    MatrixRow{"fifoGetsNothingWhenStandardOutputFails",
        [](Folder& f) {
            f.Write("f0", "old 0\n");
            ::mkfifo((f / "p").c_str(), 0600);
            f.StartReading(f / "p");
            return std::vector{f / "f0", f / "p"};
        },
        "standard output lost",
        [](Folder& f) {
            EXPECT_EQ(f.ReadByReader(), "");
            EXPECT_EQ(f.Read("f0"), "old 0\n");
        },
        std::nullopt, true},
    MatrixRow{"name250BytesLong", [](Folder& f) { return std::vector{f / LongName}; },
        "written", [](Folder& f) { EXPECT_EQ(f.Read(LongName), New[0]); }},
    MatrixRow{"name255BytesLongReplaced",
        [](Folder& f) { f.Write(std::string(255, 'm'), "old"); return std::vector{f / std::string(255, 'm')}; },
        "written", [](Folder& f) { EXPECT_EQ(f.Read(std::string(255, 'm')), New[0]); }},
    MatrixRow{"directoryFailsBeforeAnythingIsWritten",
        [](Folder& f) {
            auto paths = ThreeOld(f);
            scratch::fs::create_directory(f.path() / "d");
            return std::vector{paths[0], f / "d", paths[2]};
        },
        "cannot write 1: Is a directory; replaced; untouched 0 2",
        [](Folder& f) {
            Holds({"old", "old", "old"})(f);
            EXPECT_TRUE(scratch::fs::is_directory(f.path() / "d"));
        }},
    MatrixRow{"directoryWithSlash",
        [](Folder& f) { scratch::fs::create_directory(f.path() / "d"); return std::vector{f / "a", f / "d/"}; },
        "cannot write 1: Is a directory; replaced; untouched 0",
        [](Folder& f) { EXPECT_EQ(f.Names(), std::vector<std::string>{"d"}); }},
    MatrixRow{"missingFolder",
        [](Folder& f) { return std::vector{f / "a", f / "missing/b"}; },
        "cannot write 1: No such file or directory; replaced; untouched 0",
        [](Folder& f) { EXPECT_EQ(f.Names(), std::vector<std::string>{}); }},
    MatrixRow{"underAPlainFile",
        [](Folder& f) { f.Write("plain", "old"); return std::vector{f / "plain/b"}; },
        "cannot write 0: Not a directory; replaced; untouched",
        [](Folder& f) { EXPECT_EQ(f.Read("plain"), "old"); }},
    MatrixRow{"samePathTwice",
        [](Folder& f) { return std::vector{f / "r", f / "r"}; },
        "same file 0 1", [](Folder& f) { EXPECT_EQ(f.Names(), std::vector<std::string>{}); }},
    MatrixRow{"samePathThroughDot",
        [](Folder& f) { return std::vector{f / "r", f / "./r"}; },
        "same file 0 1", [](Folder& f) { EXPECT_EQ(f.Names(), std::vector<std::string>{}); }},
    MatrixRow{"samePathThroughDotDot",
        [](Folder& f) {
            scratch::fs::create_directory(f.path() / "sub");
            return std::vector{f / "a", f / "sub/../r", f / "r"};
        },
        "same file 1 2", [](Folder& f) { EXPECT_EQ(f.Names(), std::vector<std::string>{"sub"}); }},
    MatrixRow{"sameFileThroughSymlink",
        [](Folder& f) {
            f.Write("r", "old");
            scratch::fs::create_symlink("r", f.path() / "l");
            return std::vector{f / "l", f / "r"};
        },
        "same file 0 1", [](Folder& f) { EXPECT_EQ(f.Read("r"), "old"); }},
    MatrixRow{"sameFileThroughHardLink",
        [](Folder& f) {
            f.Write("r", "old");
            scratch::fs::create_hard_link(f.path() / "r", f.path() / "h");
            return std::vector{f / "r", f / "h"};
        },
        "same file 0 1", [](Folder& f) { EXPECT_EQ(f.Read("r"), "old"); }},
    MatrixRow{"stopsAfterATemporaryIsWritten", ThreeOld,
        "cannot write 1: No space left on device; replaced; untouched 0 2",
        Holds({"old", "old", "old"}), Fault{Stage::TemporaryWritten, 1, ENOSPC}},
    MatrixRow{"stopsAfterATemporaryIsSynced", ThreeOld,
        "cannot write 2: Input/output error; replaced; untouched 0 1",
        Holds({"old", "old", "old"}), Fault{Stage::TemporarySynced, 2, EIO}},
    MatrixRow{"stopsAtTheStandardOutputFlush", ThreeOld, "standard output lost",
        Holds({"old", "old", "old"}), std::nullopt, true},
    MatrixRow{"stopsAtTheFirstRename", ThreeOld,
        "cannot write 0: Permission denied; replaced; untouched 1 2",
        Holds({"old", "old", "old"}), Fault{Stage::Rename, 0, EACCES}},
    MatrixRow{"stopsAtTheThirdRename", ThreeOld,
        "cannot write 2: Device or resource busy; replaced 0 1; untouched",
        Holds({"new", "new", "old"}), Fault{Stage::Rename, 2, EBUSY}},
    MatrixRow{"stopsAtTheSecondRenameOfNewFiles",
        [](Folder& f) { return std::vector{f / "f0", f / "f1", f / "f2"}; },
        "cannot write 1: Device or resource busy; replaced 0; untouched 2",
        Holds({"new", "", ""}), Fault{Stage::Rename, 1, EBUSY}},
    MatrixRow{"stopsAtADirectWriteAfterTheRenames", ThreeOldFirstHardLinked,
        "cannot write 0: No space left on device; replaced 1 2; untouched",
        HoldsWithLink({"old", "new", "new"}), Fault{Stage::DirectWrite, 0, ENOSPC}},
    // A hard-linked file cannot be renamed over: when its new content cannot be written whole
    // (a full file system that could not reserve the space), the old goes back.
    MatrixRow{"hardLinkedFileGetsItsOldContentBackAfterAFailedWrite", ThreeOldFirstHardLinked,
        "cannot write 0: No space left on device; replaced 1 2; untouched",
        HoldsWithLink({"old", "new", "new"}), Fault{Stage::InPlaceWritten, 0, ENOSPC}},
    MatrixRow{"hardLinkedFileOnAFileSystemThatCannotReserve", ThreeOldFirstHardLinked,
        "written", HoldsWithLink({"new", "new", "new"}), Fault{Stage::Reserve, 0, EOPNOTSUPP}},
    MatrixRow{"hardLinkedFileWhoseSpaceCannotBeReserved", ThreeOldFirstHardLinked,
        "cannot write 0: No space left on device; replaced; untouched 1 2",
        HoldsWithLink({"old", "old", "old"}), Fault{Stage::Reserve, 0, ENOSPC}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// ---- As a user who is not root ----

struct UserRow {
    const char* name;
    // Run as root (the test's own user): what the other user finds.
    std::function<std::string(Folder&)> setup;  // the target
    std::string expected;
    std::function<void(Folder&)> check;
    std::vector<gid_t> groups = {};  // nobody's supplementary groups
};

void PrintTo(const UserRow& row, std::ostream* out)
{
    *out << row.name;
}

class AsNobody : public testing::TestWithParam<UserRow> { };

constexpr uid_t Nobody = 65534;
// Ids no account on the machine needs to have: a file's owner and a group nobody joins.
constexpr uid_t OtherUser = 1002;
constexpr gid_t SharedGroup = 1003;

// Writes `path` in a child process that runs as nobody, a member of `groups`; the
// Described() result.
std::string WrittenByNobody(const std::string& path, const std::vector<gid_t>& groups)
{
    int pipeFd[2];
    if (::pipe(pipeFd) != 0)
        return "no pipe";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(pipeFd[0]);
        if (::setgroups(groups.size(), groups.data()) != 0 ||
            ::setresgid(Nobody, Nobody, Nobody) != 0 || ::setresuid(Nobody, Nobody, Nobody) != 0)
            ::_exit(2);
        const files::Output outputs[] = {{path, New[0]}};
        const std::string result = Described(files::WriteFiles(outputs));
        const bool sent =
            ::write(pipeFd[1], result.data(), result.size()) == static_cast<ssize_t>(result.size());
        ::_exit(sent ? 0 : 1);
    }
    ::close(pipeFd[1]);
    const std::string result = Folder::ReadPath("/proc/self/fd/" + std::to_string(pipeFd[0]));
    ::close(pipeFd[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? result : "child failed";
}

TEST_P(AsNobody, isRefusedWhereTheUserMayNotWrite)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to make a folder for another user";
    const UserRow& row = GetParam();
    Folder folder;
    ::chmod(folder.path().c_str(), 0755);
    const std::string target = row.setup(folder);
    EXPECT_EQ(WrittenByNobody(target, row.groups), row.expected);
    EXPECT_EQ(folder.Temporaries(), std::vector<std::string>{});
    row.check(folder);
}

// A folder for nobody: `mode`, owned by root.
void MakeFolder(Folder& folder, const std::string& name, mode_t mode)
{
    scratch::fs::create_directory(folder.path() / name);
    ::chmod((folder / name).c_str(), mode);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, AsNobody, testing::Values(
    UserRow{"readOnlyFolder",
        [](Folder& f) { MakeFolder(f, "ro", 0555); f.Write("ro/x.cir", "old", 0666); return f / "ro/x.cir"; },
        "cannot write 0: Permission denied; replaced; untouched",
        [](Folder& f) { EXPECT_EQ(f.Read("ro/x.cir"), "old"); }},
    UserRow{"newFileInAReadOnlyFolder",
        [](Folder& f) { MakeFolder(f, "ro", 0555); return f / "ro/x.cir"; },
        "cannot write 0: Permission denied; replaced; untouched",
        [](Folder& f) { EXPECT_EQ(f.Names(), std::vector<std::string>{"ro"}); }},
    UserRow{"readOnlyFileInAWritableFolder",
        [](Folder& f) { MakeFolder(f, "rw", 0777); f.Write("rw/x.cir", "old", 0444); return f / "rw/x.cir"; },
        "cannot write 0: Permission denied; replaced; untouched",
        [](Folder& f) { EXPECT_EQ(f.Read("rw/x.cir"), "old"); }},
    UserRow{"someoneElsesFileInAStickyFolder",
        [](Folder& f) { MakeFolder(f, "tmp", 01777); f.Write("tmp/x.cir", "old", 0666); return f / "tmp/x.cir"; },
        "cannot write 0: Operation not permitted; replaced; untouched",
        [](Folder& f) { EXPECT_EQ(f.Read("tmp/x.cir"), "old"); }},
    UserRow{"someoneElsesWritableFileKeepsItsModeNotItsOwner",
        [](Folder& f) { MakeFolder(f, "rw", 0777); f.Write("rw/x.cir", "old", 0666); return f / "rw/x.cir"; },
        "written",
        [](Folder& f) {
            EXPECT_EQ(f.Read("rw/x.cir"), New[0]);
            struct stat st {};
            ::stat((f / "rw/x.cir").c_str(), &st);
            EXPECT_EQ(st.st_mode & 07777, 0666u);
            EXPECT_EQ(st.st_uid, Nobody) << "a user may not give a file away";
        }},
    UserRow{"aMemberKeepsTheFilesGroup",
        [](Folder& f) {
            MakeFolder(f, "shared", 0777);
            f.Write("shared/x.cir", "old", 0660);
            EXPECT_EQ(::chown((f / "shared/x.cir").c_str(), OtherUser, SharedGroup), 0);
            return f / "shared/x.cir";
        },
        "written",
        [](Folder& f) {
            EXPECT_EQ(f.Read("shared/x.cir"), New[0]);
            struct stat st {};
            ::stat((f / "shared/x.cir").c_str(), &st);
            EXPECT_EQ(st.st_gid, SharedGroup) << "the group's other members can still read it";
            EXPECT_EQ(st.st_uid, Nobody);
            EXPECT_EQ(st.st_mode & 07777, 0660u);
        },
        {SharedGroup}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
