// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The bash completion and the manual page against the design command's table of options:
// every option in both, with its values, and no option the command does not take.
#include <algorithm>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "cli/design_options.h"

namespace {

std::string ReadSource(const std::string& path)
{
    std::ifstream file(std::string(BUTTERWORTH3_SOURCE_DIR) + "/" + path);
    EXPECT_TRUE(file) << path;
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The text from the line starting with `from` to the next line starting with `to`.
std::string Between(const std::string& text, const std::string& from, const std::string& to)
{
    const std::size_t start = text.find("\n" + from);
    EXPECT_NE(start, std::string::npos) << from;
    const std::size_t end = text.find("\n" + to, start + 1);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::vector<std::string> Words(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

std::set<std::string> Matches(const std::string& text, const std::regex& pattern, int group = 1)
{
    std::set<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern);
         it != std::sregex_iterator(); ++it)
        found.insert((*it)[group].str());
    return found;
}

std::set<std::string> TableNames(bool withAliases)
{
    std::set<std::string> names;
    for (const cli::DesignOption& option : cli::DesignOptionTable()) {
        names.insert(std::string(option.name));
        if (withAliases && !option.alias.empty())
            names.insert(std::string(option.alias));
    }
    return names;
}

std::vector<std::string> Choices(const cli::DesignOption& option)
{
    return {option.choices.begin(), option.choices.end()};
}

// The part of the completion that completes "butterworth3-cli design ...".
std::string DesignCompletion()
{
    const std::string text = ReadSource("packaging/butterworth3-cli.bash-completion");
    const std::size_t start = text.find("if [[ ${words[1]} == design ]]");
    EXPECT_NE(start, std::string::npos);
    return text.substr(start, text.find("\n    fi\n", start) - start);
}

TEST(DesignOptionDocs, CompletionOffersEveryOptionAndNoOther)
{
    const std::string completion = DesignCompletion();
    const std::set<std::string> offered =
        Matches(completion, std::regex(R"(compgen -W '(--[^']*)')"));
    ASSERT_EQ(offered.size(), 1u) << "one list of the design command's options";
    const std::vector<std::string> words = Words(*offered.begin());
    const std::set<std::string> unique(words.begin(), words.end());
    EXPECT_EQ(unique.size(), words.size()) << *offered.begin();
    EXPECT_EQ(unique, TableNames(false));
}

TEST(DesignOptionDocs, CompletionCompletesEachOptionsValue)
{
    // Each case arm: the options it matches and what it offers.
    const std::regex arm(R"(\n\s*(--[a-z-]+(?:\s*\|\s*--[a-z-]+)*)\)\s*([^\n]*))");
    std::map<std::string, std::string> action;
    const std::string completion = DesignCompletion();
    for (auto it = std::sregex_iterator(completion.begin(), completion.end(), arm);
         it != std::sregex_iterator(); ++it)
        for (const std::string& name :
             Words(std::regex_replace((*it)[1].str(), std::regex("\\|"), " ")))
            EXPECT_TRUE(action.emplace(name, (*it)[2].str()).second) << name << " twice";

    for (const cli::DesignOption& option : cli::DesignOptionTable()) {
        const std::string name(option.name);
        if (!option.TakesValue()) {
            EXPECT_FALSE(action.contains(name)) << name << " takes no value";
            continue;
        }
        ASSERT_TRUE(action.contains(name)) << name << " has no value completion";
        const std::string& offers = action[name];
        if (!option.choices.empty()) {
            std::smatch words;
            ASSERT_TRUE(std::regex_search(offers, words, std::regex("compgen -W '([^']*)'")))
                << name << ": " << offers;
            EXPECT_EQ(Words(words[1]), Choices(option)) << name;
        } else if (option.metavariable == "FILE") {
            EXPECT_NE(offers.find("_filedir"), std::string::npos) << name << ": " << offers;
        }
        action.erase(name);
    }
    for (const auto& [name, offers] : action)
        ADD_FAILURE() << name << " is completed but not an option: " << offers;
}

// The DESIGN COMMAND section of the manual page.
std::string DesignManual()
{
    return Between(ReadSource("packaging/man/butterworth3-cli.1.scd"), "# DESIGN COMMAND", "# ");
}

TEST(DesignOptionDocs, ManualNamesEveryOptionAndNoOther)
{
    EXPECT_EQ(Matches(DesignManual(), std::regex(R"(\*(--?[a-z][a-z-]*)\*)")), TableNames(true));
}

TEST(DesignOptionDocs, ManualShowsEachOptionsValueAsTheUsageDoes)
{
    const std::string manual = DesignManual();
    for (const cli::DesignOption& option : cli::DesignOptionTable()) {
        // "*--series* *E3*|*E6*..." or "*--opamp* _GBW_[,_A0_[,_RO_]]", bold and underline
        // marks taken away; a bracket may close around the option.
        const std::regex entry("\\*" + std::string(option.name) + "\\*( ([^ \\n]+))?");
        std::smatch found;
        ASSERT_TRUE(std::regex_search(manual, found, entry)) << option.name;
        std::string value = std::regex_replace(found[2].str(), std::regex("[*_]"), "");
        if (std::count(value.begin(), value.end(), ']') >
            std::count(value.begin(), value.end(), '['))
            value.pop_back();
        EXPECT_EQ(value, option.metavariable) << option.name;
    }
}

}  // namespace
