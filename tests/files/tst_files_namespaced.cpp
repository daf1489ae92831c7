// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The targets that need mounts: a character device, a full file system and a file that
// cannot be renamed over. CTest runs this program under `unshare -rm`, so that every mount
// is in a namespace of its own, with scratch files only: never the system's /dev.
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <sys/mount.h>

#include <gtest/gtest.h>

#include "cli/design_command.h"
#include "files/safe_write.h"
#include "scratch.h"

namespace {

using scratch::Described;
using scratch::Folder;

// True in a user namespace of its own (not the machine's, where every id maps to itself).
bool InOwnNamespace()
{
    std::ifstream map("/proc/self/uid_map");
    long inside = -1;
    long outside = -1;
    long count = -1;
    map >> inside >> outside >> count;
    return count != 4294967295;
}

struct MountedRow {
    const char* name;
    // Mounts and makes what the user had; the outputs (path, content).
    std::function<std::vector<std::pair<std::string, std::string>>(Folder&)> setup;
    std::string expected;
    std::function<void(Folder&)> check;
    // A file system that cannot reserve space (ext2), as the writer's hook says so.
    bool cannotReserve = false;
};

void PrintTo(const MountedRow& row, std::ostream* out)
{
    *out << row.name;
}

class Mounted : public testing::TestWithParam<MountedRow> { };

TEST_P(Mounted, keepWhatTheUserHad)
{
    ASSERT_TRUE(InOwnNamespace()) << "run under unshare -rm: this test mounts";
    const MountedRow& row = GetParam();
    Folder folder;
    const auto written = row.setup(folder);
    std::vector<files::Output> outputs;
    for (const auto& [path, content] : written)
        outputs.push_back({path, content});
    files::WriteHooks hooks;
    hooks.fault = [&row](files::Stage stage, std::size_t) {
        return row.cannotReserve && stage == files::Stage::Reserve ? EOPNOTSUPP : 0;
    };
    EXPECT_EQ(Described(files::WriteFiles(outputs, hooks)), row.expected);
    EXPECT_EQ(folder.Temporaries(), std::vector<std::string>{});
    row.check(folder);
}

struct stat StatOf(const std::string& path)
{
    struct stat st { };
    ::stat(path.c_str(), &st);
    return st;
}

// A small tmpfs at `name`, with keep.cir ("precious") in it.
void SmallFileSystem(Folder& folder, const std::string& name)
{
    scratch::fs::create_directory(folder.path() / name);
    ASSERT_EQ(::mount("tmpfs", (folder / name).c_str(), "tmpfs", 0, "size=16k"), 0);
    folder.Write(name + "/keep.cir", "precious\n");
}

const std::string Big(64 * 1024, 'x');

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, Mounted, testing::Values(
    MountedRow{"characterDeviceIsWrittenDirectly",
        [](Folder& f) {
            f.Write("dev.cir", "scratch\n");
            EXPECT_EQ(::mount("/dev/null", (f / "dev.cir").c_str(), nullptr, MS_BIND, nullptr), 0);
            return std::vector<std::pair<std::string, std::string>>{{f / "dev.cir", "netlist\n"}};
        },
        "written",
        [](Folder& f) {
            const struct stat st = StatOf(f / "dev.cir");
            EXPECT_TRUE(S_ISCHR(st.st_mode));
            EXPECT_EQ(st.st_rdev, StatOf("/dev/null").st_rdev);
            EXPECT_EQ(::umount((f / "dev.cir").c_str()), 0);
            EXPECT_EQ(f.Read("dev.cir"), "scratch\n") << "nothing renamed over the device";
        }},
    MountedRow{"fullFileSystemKeepsTheOldFile",
        [](Folder& f) {
            SmallFileSystem(f, "small");
            return std::vector<std::pair<std::string, std::string>>{{f / "small/keep.cir", Big}};
        },
        "cannot write 0: No space left on device; replaced; untouched",
        [](Folder& f) {
            EXPECT_EQ(f.Read("small/keep.cir"), "precious\n");
            EXPECT_EQ(::umount((f / "small").c_str()), 0);
        }},
    MountedRow{"fullFileSystemWritesNoOtherFile",
        [](Folder& f) {
            SmallFileSystem(f, "small");
            return std::vector<std::pair<std::string, std::string>>{
                {f / "small/a.svg", "plot\n"}, {f / "small/keep.cir", Big}};
        },
        "cannot write 1: No space left on device; replaced; untouched 0",
        [](Folder& f) {
            EXPECT_EQ(f.Names(), (std::vector<std::string>{"small", "small/keep.cir"}));
            EXPECT_EQ(f.Read("small/keep.cir"), "precious\n");
            EXPECT_EQ(::umount((f / "small").c_str()), 0);
        }},
    MountedRow{"fullFileSystemForAHardLinkedFile",
        [](Folder& f) {
            SmallFileSystem(f, "small");
            scratch::fs::create_hard_link(f.path() / "small/keep.cir", f.path() / "small/link.cir");
            return std::vector<std::pair<std::string, std::string>>{{f / "small/keep.cir", Big}};
        },
        "cannot write 0: No space left on device; replaced; untouched",
        [](Folder& f) {
            EXPECT_EQ(f.Read("small/keep.cir"), "precious\n") << "space reserved before writing";
            EXPECT_EQ(::umount((f / "small").c_str()), 0);
        }},
    MountedRow{"fullFileSystemThatCannotReserveForAHardLinkedFile",
        [](Folder& f) {
            SmallFileSystem(f, "small");
            scratch::fs::create_hard_link(f.path() / "small/keep.cir", f.path() / "small/link.cir");
            return std::vector<std::pair<std::string, std::string>>{{f / "small/keep.cir", Big}};
        },
        "cannot write 0: No space left on device; replaced; untouched",
        [](Folder& f) {
            EXPECT_EQ(f.Read("small/keep.cir"), "precious\n") << "the old content put back";
            EXPECT_EQ(f.Read("small/link.cir"), "precious\n");
            EXPECT_EQ(::umount((f / "small").c_str()), 0);
        },
        true}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// A rename that fails after another succeeded, in the whole command: the line names the
// file replaced and the one not replaced, and nothing the user had is removed.
TEST(DesignCommand, saysWhichFilesWereReplacedWhenARenameFailsMidway)
{
    ASSERT_TRUE(InOwnNamespace()) << "run under unshare -rm: this test mounts";
    Folder folder;
    folder.Write("keep.cir", "precious\n");
    folder.Write("busy.svg", "old plot\n");
    folder.Write("over.svg", "mounted plot\n");
    ASSERT_EQ(::mount((folder / "over.svg").c_str(), (folder / "busy.svg").c_str(), nullptr,
                      MS_BIND, nullptr),
              0);
    const std::string keep = folder / "keep.cir";
    const std::string busy = folder / "busy.svg";
    const std::string html = folder / "r.html";
    const std::vector<std::string_view> args = {"lowpass", "100", "33k",    "--spice", keep,
                                                "--svg",   busy,  "--html", html};
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(cli::RunDesignCommand(args, out, err), cli::FileExitCode);
    EXPECT_EQ(err.str(), "butterworth3-cli design: --svg '" + busy +
                             "': cannot write: Device or resource busy; replaced: --spice '" +
                             keep + "'; not replaced: --svg '" + busy + "', --html '" + html +
                             "'\n");
    EXPECT_EQ(folder.Read("keep.cir").rfind("* butterworth3-cli design", 0), 0u);
    EXPECT_EQ(folder.Read("busy.svg"), "mounted plot\n");
    EXPECT_EQ(folder.Temporaries(), std::vector<std::string>{});
    EXPECT_EQ(::umount(busy.c_str()), 0);
    EXPECT_EQ(folder.Read("busy.svg"), "old plot\n");
}

}  // namespace
