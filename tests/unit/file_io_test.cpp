#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_io.h"

using namespace vesko;

namespace {

std::string binaryBytes() {
  std::string bytes;
  for (int i = 0; i < 600; ++i) bytes.push_back(static_cast<char>(i * 7));
  return bytes;
}

void putFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

class FileIoTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
  std::string path(const std::string& name) const { return dir_.path().toStdString() + "/" + name; }

  // Makes a file or folder refuse writes. Permission bits do not stop root,
  // so root uses the immutable attribute. Gives false when neither works.
  bool makeReadOnly(const std::string& target) {
    if (geteuid() != 0) {
      if (::chmod(target.c_str(), 0555) != 0) return false;
      locked_.push_back(target);
      return true;
    }
    if (std::system(("chattr +i '" + target + "' 2>/dev/null").c_str()) != 0) return false;
    locked_.push_back(target);
    return true;
  }

  void TearDown() override {
    for (const auto& target : locked_) {
      if (geteuid() != 0) ::chmod(target.c_str(), 0755);
      else std::system(("chattr -i '" + target + "' 2>/dev/null").c_str());
    }
  }

  QTemporaryDir dir_;
  std::vector<std::string> locked_;
};

TEST_F(FileIoTest, WritesAndReadsBackEveryByte) {
  const std::string file = path("a.bin");
  ASSERT_TRUE(replaceFileContent(file, binaryBytes()));
  EXPECT_EQ(readWholeFile(file), binaryBytes());

  // A shorter content replaces, not overwrites, the longer one.
  ASSERT_TRUE(replaceFileContent(file, std::string("ab\0c", 4)));
  EXPECT_EQ(readWholeFile(file), std::string("ab\0c", 4));

  ASSERT_TRUE(replaceFileContent(file, ""));
  EXPECT_EQ(readWholeFile(file), std::string());
}

TEST_F(FileIoTest, ReplacingKeepsTheFilesPermissions) {
  const std::string file = path("private.txt");
  putFile(file, "old");
  ASSERT_EQ(::chmod(file.c_str(), 0600), 0);
  ASSERT_TRUE(replaceFileContent(file, "new"));
  struct stat st{};
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0600u);
}

TEST_F(FileIoTest, PathsAreUtf8) {
  const std::string file = path("曲子 1.mid");
  ASSERT_TRUE(replaceFileContent(file, "x"));
  struct stat st{};
  EXPECT_EQ(::stat(file.c_str(), &st), 0) << "the name on disk is the UTF-8 bytes given";
  EXPECT_EQ(readWholeFile(file), "x");
  EXPECT_TRUE(removeFile(file));
  EXPECT_EQ(readWholeFile(file), std::nullopt);
  EXPECT_FALSE(removeFile(file));
}

TEST_F(FileIoTest, UnreadableThingsReadAsNothing) {
  EXPECT_EQ(readWholeFile(path("missing")), std::nullopt);
  EXPECT_EQ(readWholeFile(dir_.path().toStdString()), std::nullopt);
  EXPECT_EQ(readWholeFile(""), std::nullopt);
}

TEST_F(FileIoTest, FolderGoneFailsWithoutCreatingIt) {
  EXPECT_FALSE(replaceFileContent(path("gone/a.txt"), "x"));
  struct stat st{};
  EXPECT_NE(::stat(path("gone").c_str(), &st), 0);
}

TEST_F(FileIoTest, ReadOnlyFolderKeepsTheOldFile) {
  const std::string folder = path("locked");
  ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
  const std::string file = folder + "/song.txt";
  putFile(file, binaryBytes());
  if (!makeReadOnly(folder)) GTEST_SKIP() << "cannot make a folder read-only here (root without chattr +i)";

  EXPECT_FALSE(replaceFileContent(file, "new content"));
  EXPECT_EQ(readWholeFile(file), binaryBytes());
  EXPECT_FALSE(replaceFileContent(folder + "/other.txt", "x"));
}

TEST_F(FileIoTest, ReadOnlyFileKeepsItsContent) {
  const std::string file = path("song.txt");
  putFile(file, binaryBytes());
  if (!makeReadOnly(file)) GTEST_SKIP() << "cannot make a file read-only here (root without chattr +i)";

  EXPECT_FALSE(replaceFileContent(file, "new content"));
  EXPECT_EQ(readWholeFile(file), binaryBytes());
}

// A 64 KiB tmpfs filled to the last block.
class FileIoFullDiskTest : public FileIoTest {
 protected:
  void SetUp() override {
    FileIoTest::SetUp();
    mountPoint_ = path("small");
    ASSERT_EQ(::mkdir(mountPoint_.c_str(), 0755), 0);
    if (geteuid() != 0 ||
        std::system(("mount -t tmpfs -o size=64k tmpfs '" + mountPoint_ + "' 2>/dev/null").c_str()) != 0)
      GTEST_SKIP() << "mounting a small tmpfs is not permitted here";
    mounted_ = true;
  }
  void TearDown() override {
    if (mounted_) std::system(("umount '" + mountPoint_ + "' || umount -l '" + mountPoint_ + "'").c_str());
    FileIoTest::TearDown();
  }
  std::string mountPoint_;
  bool mounted_ = false;
};

TEST_F(FileIoFullDiskTest, FullDiskKeepsTheOldFile) {
  const std::string file = mountPoint_ + "/song.mid";
  ASSERT_TRUE(replaceFileContent(file, binaryBytes()));

  // Fill what is left.
  FILE* filler = std::fopen((mountPoint_ + "/filler").c_str(), "wb");
  ASSERT_NE(filler, nullptr);
  const std::string block(4096, 'f');
  while (std::fwrite(block.data(), 1, block.size(), filler) == block.size() && std::fflush(filler) == 0) {
  }
  std::fclose(filler);

  EXPECT_FALSE(replaceFileContent(file, std::string(20000, 'n')));
  EXPECT_EQ(readWholeFile(file), binaryBytes());
  EXPECT_FALSE(replaceFileContent(file, "tiny"));
  EXPECT_EQ(readWholeFile(file), binaryBytes());
}

}  // namespace
