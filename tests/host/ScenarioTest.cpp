// Parsing scenario files: commands, arguments and the errors that name the line.
#include "host/Scenario.h"

#include <gtest/gtest.h>

TEST(ScenarioTest, ReadsCommandsKeepingTheArgumentsBlanks) {
  std::vector<TScenarioStep> steps;
  std::string error;
  ASSERT_TRUE(ParseScenario("# a comment\r\n\r\nopen-project Demo/Demo.bpr\ntype  a b \n  print-menu\n"
                            "menu &File|&Save\n",
                            "s.txt", steps, error))
      << error;
  ASSERT_EQ(steps.size(), 4u);
  EXPECT_EQ(steps[0].Line, 3);
  EXPECT_EQ(steps[0].Command, "open-project");
  EXPECT_EQ(steps[0].Argument, "Demo/Demo.bpr");
  EXPECT_EQ(steps[1].Argument, " a b ");
  EXPECT_EQ(steps[2].Command, "print-menu");
  EXPECT_EQ(steps[2].Argument, "");
  EXPECT_EQ(steps[3].Argument, "&File|&Save");
}

TEST(ScenarioTest, ErrorsNameFileAndLine) {
  std::vector<TScenarioStep> steps;
  std::string error;
  EXPECT_FALSE(ParseScenario("save\nfrobnicate x\n", "s.txt", steps, error));
  EXPECT_EQ(error, "s.txt:2: unknown command \"frobnicate\"");
  EXPECT_FALSE(ParseScenario("open-file   \n", "s.txt", steps, error));
  EXPECT_EQ(error, "s.txt:1: \"open-file\" needs an argument");
  EXPECT_FALSE(ParseScenario("save now\n", "s.txt", steps, error));
  EXPECT_EQ(error, "s.txt:1: \"save\" takes no argument");
}
