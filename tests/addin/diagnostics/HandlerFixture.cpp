#include "HandlerFixture.h"

#include <filesystem>

#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRegRVL.h"
#include "platform/Files.h"

void HandlerFixture::SetUp() {
  TempDirTest::SetUp();
  TRVLRegFactory::_Instance().CreateRegRVL()->Registry().WriteString("PATH", InstallDir());
  FOldEvent = Application().OnException();
  Application().SetOnException([this](TObject*, const std::exception& e) { FPassedOn.push_back(e.what()); });
}

void HandlerFixture::TearDown() {
  Stop();
  Application().SetOnException(FOldEvent);
  TempDirTest::TearDown();
}

TRVLExceptionHandler& HandlerFixture::Start() {
  FRegistry = std::make_unique<TSingletonRegistry>();
  FHandler = &dynamic_cast<TRVLExceptionHandler&>(FRegistry->GetInstance(TRVLExceptionHandler::StaticClass()));
  return *FHandler;
}

void HandlerFixture::Stop() {
  FRegistry.reset();
  FHandler = nullptr;
}

std::vector<std::string> HandlerFixture::LogLines() const {
  std::string text = ReadFile(LogFile());
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  EXPECT_EQ(start, text.size()) << "the log ends inside a line";
  return lines;
}

void HandlerFixture::InstallOwnMap() {
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe");
  std::filesystem::path map = program;
  map.replace_extension(".map");
  ASSERT_TRUE(std::filesystem::exists(map)) << map << " was not generated";
  std::filesystem::create_directories(InstallDir());
  std::filesystem::copy_file(map, InstallDir() + "/" + platform::ChangeFileExt(program.filename().string(), ".map"));
}

void HandlerFixture::InstallMap(const std::string& content) {
  std::string program = std::filesystem::read_symlink("/proc/self/exe").filename().string();
  WriteFile("install/" + platform::ChangeFileExt(program, ".map"), content);
}
