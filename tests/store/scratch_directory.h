#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace vellix {

// Runs each test in an empty working directory of its own, since the data files live in
// the current directory; the directory and whatever the test left in it go afterwards.
class ScratchDirectory : public testing::Test {
protected:
    void SetUp() override {
        namespace fs = std::filesystem;
        previous_ = fs::current_path();
        std::random_device seed;
        do {
            directory_ = fs::temp_directory_path() / ("vellix-store-" + std::to_string(seed()));
        } while (!fs::create_directory(directory_));
        fs::current_path(directory_);
    }

    void TearDown() override {
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(directory_);
    }

    static void writeBytes(const char* name, const std::string& bytes) {
        std::ofstream file(name, std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        ASSERT_TRUE(file.good()) << name;
    }

    static std::string readBytes(const char* name) {
        std::ifstream file(name, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    // Names of everything in the working directory, sorted.
    static std::string listing() {
        std::string names;
        std::vector<std::string> sorted;
        for (const auto& entry : std::filesystem::directory_iterator("."))
            sorted.push_back(entry.path().filename().string());
        std::sort(sorted.begin(), sorted.end());
        for (const std::string& name : sorted)
            names += name + ";";
        return names;
    }

private:
    std::filesystem::path previous_;
    std::filesystem::path directory_;
};

} // namespace vellix
