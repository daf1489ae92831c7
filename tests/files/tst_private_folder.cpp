// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// A folder for files handed to another program: what it refuses, and the files it makes.
#include <chrono>
#include <functional>

#include <gtest/gtest.h>
#include <utime.h>

#include "files/private_folder.h"
#include "scratch.h"

namespace {

namespace fs = std::filesystem;

struct FolderRow {
    const char* name;
    // Prepares <scratch>/reports (the scratch folder itself is the user's, mode 0700).
    std::function<void(const fs::path& scratch)> prepare;
    const char* refusal;  // empty: opened
};

void PrintTo(const FolderRow& row, std::ostream* out)
{
    *out << row.name;
}

const FolderRow FolderRows[] = {
    {"missing: made", [](const fs::path&) {}, ""},
    {"the user's own, closed to others",
     [](const fs::path& s) {
         fs::create_directory(s / "reports"), chmod((s / "reports").c_str(), 0700);
     },
     ""},
    {"open to others",
     [](const fs::path& s) {
         fs::create_directory(s / "reports"), chmod((s / "reports").c_str(), 0777);
     },
     "other users may enter it"},
    {"readable by others",
     [](const fs::path& s) {
         fs::create_directory(s / "reports"), chmod((s / "reports").c_str(), 0755);
     },
     "other users may enter it"},
    {"a link to a folder of the user's",
     [](const fs::path& s) {
         fs::create_directory(s / "elsewhere"), chmod((s / "elsewhere").c_str(), 0700);
         fs::create_directory_symlink(s / "elsewhere", s / "reports");
     },
     "it is a link or no folder"},
    {"a file", [](const fs::path& s) { std::ofstream(s / "reports") << "x"; },
     "it is a link or no folder"},
    {"in a folder others may write to", [](const fs::path& s) { chmod(s.c_str(), 0777); },
     "the folder above it is another user's or open to others"},
};

class PrivateFolderOpen : public testing::TestWithParam<FolderRow> { };

TEST_P(PrivateFolderOpen, refusesWhatOthersCouldReachInto)
{
    const FolderRow& row = GetParam();
    scratch::Folder folder;
    const fs::path scratch = folder.path();
    chmod(scratch.c_str(), 0700);
    row.prepare(scratch);
    auto opened = files::PrivateFolder::Open((scratch / "reports").string());
    if (*row.refusal) {
        ASSERT_TRUE(std::holds_alternative<std::string>(opened));
        EXPECT_EQ(std::get<std::string>(opened), row.refusal);
    } else {
        ASSERT_TRUE(std::holds_alternative<files::PrivateFolder>(opened))
            << std::get<std::string>(opened);
        struct stat st { };
        ASSERT_EQ(stat((scratch / "reports").c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u);
    }
}

INSTANTIATE_TEST_SUITE_P(Folders, PrivateFolderOpen, testing::ValuesIn(FolderRows),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

TEST(PrivateFolder, makesNewPrivateFilesAndRemovesOldOnes)
{
    scratch::Folder folder;
    const fs::path scratch = folder.path();
    chmod(scratch.c_str(), 0700);
    auto opened = files::PrivateFolder::Open((scratch / "reports").string());
    ASSERT_TRUE(std::holds_alternative<files::PrivateFolder>(opened));
    const files::PrivateFolder& reports = std::get<files::PrivateFolder>(opened);

    const auto first = reports.Create("report-", ".html", "<p>one</p>");
    const auto second = reports.Create("report-", ".html", "<p>two</p>");
    ASSERT_TRUE(std::holds_alternative<files::PrivateFolder::Created>(first));
    ASSERT_TRUE(std::holds_alternative<files::PrivateFolder::Created>(second));
    const fs::path one = std::get<files::PrivateFolder::Created>(first).path;
    const fs::path two = std::get<files::PrivateFolder::Created>(second).path;
    EXPECT_NE(one, two);
    EXPECT_EQ(one.parent_path(), scratch / "reports");
    EXPECT_TRUE(one.filename().string().starts_with("report-"));
    EXPECT_EQ(one.filename().string().size(), std::string("report-.html").size() + 12);
    struct stat st { };
    ASSERT_EQ(stat(one.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    std::ifstream in(one);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "<p>one</p>");

    // A day and a minute old: removed; an hour old, or another name: kept.
    const auto age = [](const fs::path& path, std::chrono::seconds seconds) {
        const time_t then = time(nullptr) - time_t(seconds.count());
        const utimbuf times{then, then};
        ASSERT_EQ(utime(path.c_str(), &times), 0);
    };
    std::ofstream(scratch / "reports" / "notes.html") << "mine";
    age(one, std::chrono::hours(24) + std::chrono::minutes(1));
    age(scratch / "reports" / "notes.html", std::chrono::hours(48));
    age(two, std::chrono::hours(1));
    EXPECT_EQ(reports.RemoveOlderThan("report-", ".html", std::chrono::hours(24)), 1);
    EXPECT_FALSE(fs::exists(one));
    EXPECT_TRUE(fs::exists(two));
    EXPECT_TRUE(fs::exists(scratch / "reports" / "notes.html"));
}

}  // namespace
