#include "vss/cli/CommandLine.h"

#include <gtest/gtest.h>

using vsscli::CommandLine;

TEST(CommandLine, SplitsCommandArgumentsAndSwitches) {
  // What the add-in passes for a comparison, after its command line was split.
  auto line = CommandLine::Parse({"Diff", "/tmp/a.pas", "/tmp/b.pas", "-I-", "-IW", "-Ds", "-O&/tmp/Diff.txt",
                                  "-O@/tmp/Diff.txt"});
  EXPECT_EQ(line.Command(), "Diff");
  EXPECT_EQ(line.Arguments(), (std::vector<std::string>{"/tmp/a.pas", "/tmp/b.pas"}));
  EXPECT_EQ(line.Values('I'), (std::vector<std::string>{"-", "W"}));
  EXPECT_EQ(line.Value('D'), "s");
  EXPECT_EQ(line.Values('O'), (std::vector<std::string>{"&/tmp/Diff.txt", "@/tmp/Diff.txt"}));
  EXPECT_EQ(line.FirstUnknown("IDO"), "");
  EXPECT_EQ(line.FirstUnknown("IO"), "-Ds");
}

TEST(CommandLine, SwitchLettersIgnoreCaseAndMayComeFirst) {
  auto line = CommandLine::Parse({"-yAdmin,secret", "checkin", "$/p/a.cpp", "-cFixed it", "-k"});
  EXPECT_EQ(line.Command(), "checkin");
  EXPECT_EQ(line.Value('Y'), "Admin,secret");
  EXPECT_EQ(line.Value('C'), "Fixed it");
  EXPECT_TRUE(line.Has('K'));
  EXPECT_FALSE(line.Has('R'));
  EXPECT_EQ(line.Value('R'), "");
}

TEST(CommandLine, HelpForms) {
  EXPECT_EQ(CommandLine::Parse({"--help"}).Command(), "Help");
  EXPECT_EQ(CommandLine::Parse({"-?"}).Command(), "Help");
  auto line = CommandLine::Parse({"Help", "Diff"});
  EXPECT_EQ(line.Command(), "Help");
  EXPECT_EQ(line.Arguments(), std::vector<std::string>{"Diff"});
  EXPECT_EQ(CommandLine::Parse({}).Command(), "");
  // After a command, a help switch asks for its usage and names no file.
  auto checkout = CommandLine::Parse({"Checkout", "--help"});
  EXPECT_EQ(checkout.Command(), "Checkout");
  EXPECT_TRUE(checkout.HelpAsked());
  EXPECT_TRUE(checkout.Arguments().empty());
  EXPECT_TRUE(checkout.Switches().empty());
  EXPECT_FALSE(CommandLine::Parse({"Checkout", "a.cpp"}).HelpAsked());
  // A lone "-" is an argument, not a switch.
  EXPECT_EQ(CommandLine::Parse({"Add", "-"}).Arguments(), std::vector<std::string>{"-"});
}
