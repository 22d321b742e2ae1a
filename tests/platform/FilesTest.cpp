#include "platform/Files.h"

#include "TempDirTest.h"

#include <climits>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;

TEST(Files, SplitsNamesByTheLastDelimiterAndDot) {
  EXPECT_EQ(ExtractFilePath("/a/b/c.txt"), "/a/b/");
  EXPECT_EQ(ExtractFileDir("/a/b/c.txt"), "/a/b");
  EXPECT_EQ(ExtractFileDir("/c.txt"), "/");
  EXPECT_EQ(ExtractFileName("/a/b/c.txt"), "c.txt");
  EXPECT_EQ(ExtractFilePath("c.txt"), "");
  EXPECT_EQ(ExtractFileExt("archive.tar.gz"), ".gz");
  EXPECT_EQ(ExtractFileExt("/home/u/.bashrc"), ".bashrc");
  EXPECT_EQ(ExtractFileExt("/a.d/Makefile"), "");   // a dot in a folder name is no extension
  EXPECT_EQ(ExtractFileExt("name."), ".");
  EXPECT_EQ(ChangeFileExt("/p.d/App.dpr", ".res"), "/p.d/App.res");
  EXPECT_EQ(ChangeFileExt("/p.d/Makefile", ".bak"), "/p.d/Makefile.bak");
  EXPECT_EQ(ChangeFileExt("/p/App.dpr", ""), "/p/App");
  EXPECT_EQ(ExtractBaseName("/a/b/Unit1.pas"), "Unit1");
  EXPECT_EQ(ExtractBaseName("/a/archive.tar.gz"), "archive.tar");
}

TEST(Files, AddsAndRemovesTrailingDelimiters) {
  EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), "/a/");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/a/"), "/a/");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("/a/"), "/a");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "/");   // the root stays the root
}

TEST(Files, ExpandsDotsAndDoubledDelimiters) {
  EXPECT_EQ(ExpandFileName("/a/./b//c/../d.txt"), "/a/b/d.txt");
  EXPECT_EQ(ExpandFileName("/a/b/../../../x"), "/x");
  EXPECT_EQ(ExpandFileName("/a/b/.."), "/a/");
  EXPECT_EQ(ExpandFileName("/a/b/"), "/a/b/");
  EXPECT_EQ(ExpandFileName("/"), "/");
  char cwd[4096];
  ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
  EXPECT_EQ(ExpandFileName("sub/../f.txt"), IncludeTrailingPathDelimiter(cwd) + "f.txt");
}

TEST(Files, RelativePathsIgnoreFolderCase) {
  EXPECT_EQ(ExtractRelativePath("/Proj/Src/", "/proj/src/Unit1.pas"), "Unit1.pas");
  EXPECT_EQ(ExtractRelativePath("/Proj/Src", "/proj/LIB/x/y.cpp"), "../LIB/x/y.cpp");
  EXPECT_EQ(ExtractRelativePath("/a/b/c/", "/x/y.cpp"), "../../../x/y.cpp");
  EXPECT_EQ(ExtractRelativePath("/a/b/../c/", "/a/c/./d/../e.txt"), "e.txt");
  EXPECT_EQ(ExtractRelativePath("/a/b/", "/a/b/sub/"), "sub/");
  EXPECT_EQ(ExtractRelativePath("/a/b/", "/A/B"), "./");
  EXPECT_EQ(ExtractRelativePath("/", "/a/b.txt"), "a/b.txt");
  EXPECT_EQ(ExtractRelativePath("/Ärger/x/", "/ärger/y.txt"), "../y.txt");
  EXPECT_TRUE(SamePath("/Proj/./Src/", "/proj/src"));
  EXPECT_FALSE(SamePath("/proj/src", "/proj/src2"));
}

class FilesOnDisk : public TempDirTest {};

TEST_F(FilesOnDisk, TellsFilesFromFoldersAndMakesFolders) {
  const std::string file = WriteFile("f.txt", "12345");
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(DirectoryExists(file));
  EXPECT_TRUE(DirectoryExists(Dir().string()));
  EXPECT_FALSE(FileExists(Dir().string()));
  EXPECT_EQ(FileSize(file), 5);
  EXPECT_EQ(FileSize(PathOf("missing")), -1);
  EXPECT_GT(FileAge(file), 0);
  EXPECT_EQ(FileAge(PathOf("missing")), -1);

  EXPECT_TRUE(ForceDirectories(PathOf("x/y/../z/w")));
  EXPECT_TRUE(DirectoryExists(PathOf("x/z/w")));
  EXPECT_TRUE(ForceDirectories(PathOf("x/z/w/")));   // existing is fine
  EXPECT_FALSE(ForceDirectories(file + "/sub"));   // below a file

  EXPECT_FALSE(DeleteFile(PathOf("x")));   // folders are not deleted
  EXPECT_TRUE(DeleteFile(file));
  EXPECT_FALSE(FileExists(file));
  EXPECT_FALSE(DeleteFile(file));
}

TEST_F(FilesOnDisk, ReadOnlyIsTheOwnersWriteBit) {
  const std::string file = WriteFile("ro.txt", "x");
  chmod(file.c_str(), 0664);
  EXPECT_FALSE(IsReadOnly(file));
  ASSERT_TRUE(SetReadOnly(file, true));
  EXPECT_TRUE(IsReadOnly(file));
  struct stat info;
  stat(file.c_str(), &info);
  EXPECT_EQ(info.st_mode & 0777, 0444u);
  ASSERT_TRUE(SetReadOnly(file, false));
  EXPECT_FALSE(IsReadOnly(file));
  EXPECT_FALSE(SetReadOnly(PathOf("missing"), true));
}

TEST_F(FilesOnDisk, AtomicWritesKeepPermissionsAndLeaveNoTemporaryFile) {
  const std::string file = WriteFile("a.txt", "old");
  chmod(file.c_str(), 0640);
  std::string error;
  ASSERT_TRUE(WriteFileAtomic(file, "new content", &error)) << error;
  std::string content;
  ASSERT_TRUE(platform::ReadFile(file, content));
  EXPECT_EQ(content, "new content");
  struct stat info;
  stat(file.c_str(), &info);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Dir()), {}), 1);

  // A read-only file is left alone, and so is a missing folder.
  SetReadOnly(file, true);
  EXPECT_FALSE(WriteFileAtomic(file, "lost", &error));
  EXPECT_NE(error.find("Permission denied"), std::string::npos) << error;
  ASSERT_TRUE(platform::ReadFile(file, content));
  EXPECT_EQ(content, "new content");
  EXPECT_FALSE(WriteFileAtomic(PathOf("none/b.txt"), "x", &error));
  EXPECT_NE(error.find("No such file"), std::string::npos) << error;
  EXPECT_FALSE(platform::ReadFile(PathOf("none/b.txt"), content, &error));
  EXPECT_NE(error.find("none/b.txt"), std::string::npos);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Dir()), {}), 1);
}

TEST_F(FilesOnDisk, AtomicWritesThroughALinkKeepTheLink) {
  const std::string target = WriteFile("real/target.txt", "old");
  std::filesystem::create_symlink(target, PathOf("link.txt"));
  std::string error;
  ASSERT_TRUE(WriteFileAtomic(PathOf("link.txt"), "new", &error)) << error;
  EXPECT_TRUE(std::filesystem::is_symlink(PathOf("link.txt")));
  EXPECT_EQ(ReadFile(target), "new");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(PathOf("real")), {}), 1);
}

TEST_F(FilesOnDisk, MakesUniqueTemporaryFiles) {
  EXPECT_EQ(TempDirectory().back(), '/');
  const std::string first = CreateTempFileName(Dir().string(), "rvl");
  const std::string second = CreateTempFileName(Dir().string(), "rvl");
  EXPECT_NE(first, second);
  EXPECT_TRUE(ExtractFileName(first).starts_with("rvl"));
  EXPECT_TRUE(FileExists(first));
  EXPECT_EQ(FileSize(first), 0);
  EXPECT_EQ(CreateTempFileName(PathOf("missing"), "rvl"), "");
}

TEST_F(FilesOnDisk, FilesWithNamesAtTheLimitCanBeRewritten) {
  for (size_t length : {size_t(NAME_MAX) - 8, size_t(NAME_MAX)}) {
    const std::string file = WriteFile(std::string(length, 'n'), "old");
    std::string error;
    ASSERT_TRUE(WriteFileAtomic(file, "new", &error)) << length << ": " << error;
    EXPECT_EQ(ReadFile(file), "new");
    const std::string temp = CreateTempFileName(Dir().string(), "." + ExtractFileName(file) + ".");
    EXPECT_FALSE(temp.empty()) << length;
    DeleteFile(temp);
  }
}
