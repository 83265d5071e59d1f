#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace quarnel::test {

// A test with a fresh temporary directory of its own, removed afterwards.
class ScratchDirectoryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quarnel-test-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr) << "errno " << errno;
        dir_ = pattern;
    }

    void TearDown() override {
        if (dir_.empty()) return;
        std::error_code ignored;
        // A test may have left the directory read-only; removal needs it writable again.
        std::filesystem::permissions(dir_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(dir_, ignored);
    }

    static void WriteBytes(const std::filesystem::path& file, std::string_view bytes) {
        std::filesystem::create_directories(file.parent_path());
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        ASSERT_TRUE(out.good()) << file;
    }

    static std::string ReadBytes(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::filesystem::path dir_;
};

}  // namespace quarnel::test
