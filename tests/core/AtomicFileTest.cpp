// SPDX-License-Identifier: MIT
// The one writer of documents and exports: the file is the old one or the
// whole new one, and a failure says why in the system's words.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

#include "core/AtomicFile.h"

namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("kvr-atomic-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    static std::string Read(const fs::path& p)
    {
        std::ifstream in(p, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    size_t Files() const { return size_t(std::distance(fs::directory_iterator(dir), fs::directory_iterator())); }

    fs::path dir;
};

TEST_F(AtomicFileTest, WritesAndReplacesKeepingThePermissions)
{
    const fs::path file = dir / "lesson.kvr";
    ASSERT_EQ(WriteFileAtomically(file.string(), "first"), "");
    EXPECT_EQ(Read(file), "first");
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    ASSERT_EQ(WriteFileAtomically(file.string(), std::string(100000, 'x')), "");
    EXPECT_EQ(Read(file), std::string(100000, 'x'));
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(Files(), 1u) << "no temporary file is left";
}

TEST_F(AtomicFileTest, RefusesWhatItCannotWriteAndSaysWhy)
{
    fs::create_directories(dir / "folder");
    const struct {
        std::string path;
        const char* why;
    } rows[] = {{(dir / "folder").string(), "the path is a folder"},
                {"/dev/full", "the path is not a regular file"},
                {(dir / "no" / "such" / "x.kvr").string(), "cannot create the file: No such file or directory"},
                {"", "no file name"}};
    for (const auto& r : rows) EXPECT_EQ(WriteFileAtomically(r.path, "bytes"), r.why) << r.path;
    EXPECT_EQ(Files(), 1u);
}

}  // namespace
