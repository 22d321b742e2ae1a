#include "vss/cli/CommandLine.h"

#include <gtest/gtest.h>

using vsscli::CommandLine;

// Switches and their letters' case are the ss program tests' (the add-in's Diff line among them);
// here a switch before the command, the forms of help and a lone "-".
TEST(CommandLine, HelpForms) {
  EXPECT_EQ(CommandLine::Parse({"-yAdmin,secret", "checkin"}).Command(), "checkin");
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
