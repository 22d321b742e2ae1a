#pragma once
// Two versions of a file written into the test's folder, the report the real `ss Diff` writes for
// them, and the difference viewer made on them. The add-in's installation folder is a folder of the
// test's own holding the "Syntax.ini" the build installs, and prompts are answered from a script.
#include <string>
#include <vector>

#include "ScriptedPrompterScope.h"
#include "TempDirTest.h"
#include "addin/tools/uFrmFileDiff.h"

class DiffTest : public TempDirTest {
protected:
  void SetUp() override;
  void TearDown() override;

  // Writes the two versions as left<ext> and right<ext> and returns the path of the report that
  // `ss Diff` wrote for them.
  std::string SsDiff(const std::string& left, const std::string& right, const std::string& ext = ".txt");
  // The viewer on the two versions of the last SsDiff and `report`.
  TRVLFormPtr<TFrmFileDiff> Viewer(const std::string& report);
  // Each row as "left|right|kind": a pane's line number or "-" for a filler row, and D, C, I or U;
  // a row whose kinds differ between the panes shows both kinds.
  static std::vector<std::string> Rows(const TFrmFileDiff& viewer);
  std::string InstallDir() const { return PathOf("install"); }

  std::string LeftFile, RightFile;
  TScriptedPrompterScope Prompts;
};
