// Helpers shared by the tests: a private scratch directory per test and
// small file utilities.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include <boost/filesystem.hpp>

namespace skarvel_test {

// A fresh, empty directory named after the running test, below the build
// tree's test area. Its path ends with "/".
inline std::string ScratchDir() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name)
        if (c == '/') c = '_';
    boost::filesystem::path dir = boost::filesystem::path(SKARVEL_TEST_TMP) / name;
    boost::system::error_code ec;
    boost::filesystem::remove_all(dir, ec);
    boost::filesystem::create_directories(dir);
    return dir.string() + "/";
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

inline std::string SourcePath(const std::string& relative) {
    return std::string(SKARVEL_SOURCE_DIR) + "/" + relative;
}

}  // namespace skarvel_test
