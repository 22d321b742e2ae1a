// Companion files and never-check-in masks, read from a real registry through the object factory.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TempDirTest.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/selection/uMask.h"
#include "addin/selection/uRVLAssoc.h"
#include "addin/selection/uRVLDontCheckIn.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRegAssoc.h"
#include "addin/settings/uRegOptions.h"

namespace {

using SelectionTest = TempDirTest;

void SaveDontCheckIn(const std::vector<std::string>& Masks) {
  TRVLRegFactory::_Instance().CreateRegOptions()->SaveDontCheckIn(Masks);
}

TEST(ExpandMaskTest, ReplacesTheFirstStarOrAppends) {
  const struct {
    std::string Base, Mask, Result;
  } rows[] = {
      {"Form1", "*.dfm", "Form1.dfm"}, {"Form1", ".dfm", "Form1.dfm"}, {"P", "x*y*z", "xPy*z"},
      {"P", "", "P"}, {"", "*.h", ".h"},
  };
  for (const auto& row : rows) EXPECT_EQ(ExpandMask(row.Base, row.Mask), row.Result) << row.Mask;
}

TEST_F(SelectionTest, CompanionsFollowTheMasksStoredForTheExtension) {
  auto regAssoc = TRVLRegFactory::_Instance().CreateRegAssoc();
  regAssoc->Save(".pas", {"*.dfm", ".ddp"});
  regAssoc->Save(".gz", {"*.sig"});
  regAssoc->Save("", {"*.bak"});
  regAssoc->SetDisableAssoc(true);   // the caller asks IsEnabled; the list ignores it
  const std::vector<std::string> rows[] = {
      // the file, then what the list holds after it
      {"/src/Form1.pas", "kept", "/src/Form1.dfm", "/src/Form1.ddp"},
      {"/src/Form1.PAS", "kept", "/src/Form1.dfm", "/src/Form1.ddp"},
      {"Form1.pas", "kept", "Form1.dfm", "Form1.ddp"},
      {"/src/archive.tar.gz", "kept", "/src/archive.tar.sig"},
      {"/src.d/Makefile", "kept", "/src.d/Makefile.bak"},
      {"/src/Unit1.cpp", "kept"},
  };
  auto assoc = TRVLFactory::_Instance().CreateAssoc();
  for (const auto& row : rows) {
    std::vector<std::string> list = {"kept"};
    assoc->GetAssociatedFiles(row[0], list);
    EXPECT_EQ(list, std::vector(row.begin() + 1, row.end())) << row[0];
  }
  EXPECT_EQ(assoc->GetAssociatedFile("/src/Form1.pas", "*_old.*"), "/src/Form1_old.*");
}

TEST_F(SelectionTest, EnabledIsReadAfreshEachTime) {
  auto assoc = TRVLFactory::_Instance().CreateAssoc();
  EXPECT_TRUE(assoc->IsEnabled());
  TRVLRegFactory::_Instance().CreateRegAssoc()->SetDisableAssoc(true);
  EXPECT_FALSE(assoc->IsEnabled());
}

TEST_F(SelectionTest, CanCheckInUnlessAMaskMatches) {
  EXPECT_TRUE(TRVLFactory::_Instance().CreateDontCheckIn()->CanCheckIn(""));
  SaveDontCheckIn({"*.dsk", "*.~*", "vss.rvl"});
  auto dontCheckIn = TRVLFactory::_Instance().CreateDontCheckIn();
  const struct {
    std::string Name;
    bool CanCheckIn;
  } rows[] = {
      {"unit1.DSK", false}, {"/home/p/unit1.dsk", false}, {"unit1.~pas", false}, {"vss.rvl", false},
      {"/home/p/vss.rvl", true}, {"unit1.pas", true}, {"", true},
  };
  for (const auto& row : rows) EXPECT_EQ(dontCheckIn->CanCheckIn(row.Name), row.CanCheckIn) << row.Name;

  // The list was read once: a later change shows only in a new object.
  SaveDontCheckIn({"*.pas"});
  EXPECT_TRUE(dontCheckIn->CanCheckIn("unit1.pas"));
  EXPECT_FALSE(TRVLFactory::_Instance().CreateDontCheckIn()->CanCheckIn("unit1.pas"));
}

TEST_F(SelectionTest, AnInvalidMaskRaisesWhenItIsTried) {
  SaveDontCheckIn({"*.pas", "[abc"});
  auto dontCheckIn = TRVLFactory::_Instance().CreateDontCheckIn();
  EXPECT_FALSE(dontCheckIn->CanCheckIn("unit1.pas"));   // the first match answers
  EXPECT_THROW(dontCheckIn->CanCheckIn("unit1.cpp"), EMaskError);
}

} // namespace
