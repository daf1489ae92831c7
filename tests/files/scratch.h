// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// A scratch folder for the file tests, and what a test reads back from it.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/safe_write.h"

namespace scratch {

namespace fs = std::filesystem;

class Folder {
public:
    Folder()
    {
        std::string pattern = (fs::temp_directory_path() / "files.XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~Folder()
    {
        if (reader_.joinable())
            reader_.join();
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add);
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    const fs::path& path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

    void Write(const std::string& name, const std::string& content, mode_t mode = 0644) const
    {
        std::ofstream(path_ / name, std::ios::binary) << content;
        ::chmod((path_ / name).c_str(), mode);
    }
    std::string Read(const std::string& name) const { return ReadPath(*this / name); }
    static std::string ReadPath(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // Every name in the folder and its subfolders, hidden ones too, sorted.
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(path_))
            names.push_back(entry.path().lexically_relative(path_).string());
        std::sort(names.begin(), names.end());
        return names;
    }
    // The writer's temporaries left anywhere in the folder.
    std::vector<std::string> Temporaries() const
    {
        std::vector<std::string> names = Names();
        std::erase_if(names, [](const std::string& name) {
            return fs::path(name).filename().string().rfind(".b3-", 0) != 0;
        });
        return names;
    }

    // Reads `path` to its end on a thread of its own (a FIFO's or a pipe's reader).
    void StartReading(const std::string& path)
    {
        reader_ = std::thread([this, path] { read_ = ReadPath(path); });
    }
    std::string ReadByReader()
    {
        reader_.join();
        return read_;
    }

private:
    fs::path path_;
    std::thread reader_;
    std::string read_;
};

// One line for a result, so that a table can say what it expects.
inline std::string Described(const files::WriteResult& result)
{
    std::ostringstream out;
    if (std::holds_alternative<files::Written>(result))
        out << "written";
    else if (std::holds_alternative<files::StandardOutputLost>(result))
        out << "standard output lost";
    else if (const auto* same = std::get_if<files::SameFile>(&result))
        out << "same file " << same->first << " " << same->second;
    else if (const auto* failure = std::get_if<files::CannotWrite>(&result)) {
        out << "cannot write " << failure->index << ": " << failure->reason;
        if (failure->partlyWritten)
            out << " (partly)";
        const auto list = [&](const char* title, const std::vector<std::size_t>& items) {
            out << "; " << title;
            for (const std::size_t i : items)
                out << " " << i;
        };
        list("replaced", failure->replaced);
        list("untouched", failure->untouched);
    }
    return out.str();
}

}  // namespace scratch
