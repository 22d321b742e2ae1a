// The difference viewer on reports of the real `ss Diff`: rows, marks and fillers; reports and files
// that do not fit; stepping and finding with real keys; and what it paints.
#include <cstdlib>

#include <QApplication>
#include <QTest>
#include <QPushButton>
#include <QToolButton>

#include <gtest/gtest.h>

#include "DiffFixture.h"
#include "MessageOf.h"
#include "addin/diagnostics/uRVLException.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/settings/uFrmOptions.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRegDiffView.h"
#include "platform/Registry.h"
#include "../ToolServicesStub.h"

namespace {

using RowList = std::vector<std::string>;

TEST_F(DiffTest, RowsPairTheLinesOfEveryKindOfDifference) {
  struct Case {
    const char* Name;
    std::string Left, Right;
    RowList Expected;
    int DiffCount;
    int Selected;
  } cases[] = {
      {"only inserts", "a\nb\n", "a\nx\nb\ny\n", {"1|1|U", "-|2|I", "2|3|U", "-|4|I"}, 2, 1},
      {"only deletes", "a\nx\nb\ny\n", "a\nb\n", {"1|1|U", "2|-|D", "3|2|U", "4|-|D"}, 2, 1},
      {"one line into three", "a\nb\nc\n", "a\nX\nY\nZ\nc\n", {"1|1|U", "2|2|C", "-|3|I", "-|4|I", "3|5|U"}, 3, 1},
      {"first and last line", "a\nb\nc\n", "A\nb\nC\n", {"1|1|C", "2|2|U", "3|3|C"}, 2, 0},
      {"empty left file", "", "a\nb\n", {"-|1|I", "-|2|I"}, 2, 0},
      {"empty right file", "a\nb\n", "", {"1|-|D", "2|-|D"}, 2, 0},
      {"identical files", "a\nb\n", "a\nb\n", {"1|1|U", "2|2|U"}, 0, 0},
      {"no final line break on either side", "a\nb\nc", "a\nB\nc", {"1|1|U", "2|2|C", "3|3|U"}, 1, 1},
      {"a final line break added", "x\ny", "x\ny\nz\n", {"1|1|U", "2|2|C", "-|3|I"}, 2, 1},
  };
  for (const Case& c : cases) {
    auto viewer = Viewer(SsDiff(c.Left, c.Right));
    EXPECT_EQ(Rows(*viewer), c.Expected) << c.Name;
    EXPECT_EQ(viewer->DiffCount, c.DiffCount) << c.Name;
    EXPECT_EQ(viewer->lbLeftPane->ItemIndex(), c.Selected) << c.Name;
    EXPECT_EQ(viewer->lbRightPane->ItemIndex(), c.Selected) << c.Name;
    EXPECT_EQ(viewer->ReportProblem(), "") << c.Name;
  }
}

TEST_F(DiffTest, ReportsThatDoNotFitAreNamedAndShowWhatTheyCould) {
  // Reports cut, mutated or naming lines past a file's end are the rows tests'; here a missing report
  // and a version that cannot be read.
  const std::string report = SsDiff("1\n2\n3\n4\n5\n6\n", "1\n2\nX\n4\n5\n6\nnew\n");
  WriteFile("left.txt", "1\n2\n3\n");
  WriteFile("right.txt", "1\n2\nX\n4\n");
  // No report at all: the handler shows why, and the files show unmarked.
  Prompts.Script->AddAnswer("OK");
  auto missing = Viewer(PathOf("nothing.txt"));
  EXPECT_EQ(Rows(*missing), (RowList{"1|1|U", "2|2|U", "3|3|U", "-|4|U"}));
  EXPECT_EQ(missing->DiffCount, 0);
  EXPECT_EQ(missing->lbLeftPane->ItemIndex(), 0);
  ASSERT_EQ(Prompts.Script->Prompts().size(), 1u);
  EXPECT_NE(Prompts.Script->Prompts()[0].Text.find("Cannot open the difference report \"" + PathOf("nothing.txt")),
            std::string::npos)
      << Prompts.Script->Prompts()[0].Describe();
  EXPECT_EQ(missing->ReportProblem(), Prompts.Script->Prompts()[0].Text);

  // A version that cannot be read fails the viewer with its name.
  for (bool leftMissing : {true, false}) {
    const std::string saved = leftMissing ? LeftFile : RightFile;
    (leftMissing ? LeftFile : RightFile) = PathOf("gone.txt");
    const std::string error = MessageOf<ERVLException>([&] { Viewer(report); });
    EXPECT_NE(error.find("Cannot read \"" + PathOf("gone.txt") + "\""), std::string::npos) << error;
    (leftMissing ? LeftFile : RightFile) = saved;
  }
}

// Past line 99999 the number field has no blank after it; lines that start with digits keep them in
// the text that is drawn and coloured, on both sides of an inserted line.
TEST_F(DiffTest, LongFilesKeepTheLeadingDigitsOfTheirLines) {
  std::string left, right;
  for (int line = 1; line <= 100010; ++line) {
    const std::string text = std::to_string(line * 7) + " begin\n";
    left += text;
    right += text;
    if (line == 100004) right += "42 end\n";
  }
  auto viewer = Viewer(SsDiff(left, right, ".pas"));
  EXPECT_EQ(viewer->ReportProblem(), "");
  const TSyntaxLines* leftSyntax = viewer->Syntax(viewer->lbLeftPane);
  const TSyntaxLines* rightSyntax = viewer->Syntax(viewer->lbRightPane);
  EXPECT_EQ(viewer->lbLeftPane->Text(99999), "100000700000 begin");
  EXPECT_EQ(leftSyntax->Text(99999), "700000 begin");
  EXPECT_EQ(rightSyntax->Text(100004), "42 end");
  EXPECT_EQ(leftSyntax->Text(100004), "");
  EXPECT_EQ(rightSyntax->Text(100009), "700063 begin");
  const std::vector<TSyntaxLines::TToken> tokens = rightSyntax->Tokens(100004);
  ASSERT_FALSE(tokens.empty());
  EXPECT_EQ(tokens.front().Length, 2u) << "the number 42 is the first token";
  EXPECT_EQ(tokens.back().Kind, tkReserved);
}

// Thirty lines; line 5 changed, lines 12 and 13 deleted, two lines inserted after line 25. The
// blocks start at rows 4, 11 and 25.
class NavigationTest : public DiffTest {
protected:
  void SetUp() override {
    DiffTest::SetUp();
    std::string left, right;
    for (int line = 1; line <= 30; ++line) {
      left += "line " + std::to_string(line) + "\n";
      if (line == 5) right += "changed\n";
      else if (line != 12 && line != 13) right += "line " + std::to_string(line) + "\n";
      if (line == 25) right += "new one\nnew two\n";
    }
    viewer = Viewer(SsDiff(left, right));
    viewer->resize(700, 300);
    viewer->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(viewer.get()));
    viewer->lbLeftPane->setFocus();
  }
  void TearDown() override {
    viewer->close();
    viewer.reset();
    DiffTest::TearDown();
  }
  int Key(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(target, key, modifiers);
    EXPECT_EQ(viewer->lbLeftPane->ItemIndex(), viewer->lbRightPane->ItemIndex());
    return viewer->lbLeftPane->ItemIndex();
  }
  void ClickRow(TRVLListBox* pane, int row) {
    QTest::mouseClick(pane->viewport(), Qt::LeftButton, {}, pane->visualRect(pane->model()->index(row, 0)).center());
  }

  TRVLFormPtr<TFrmFileDiff> viewer;
};

TEST_F(NavigationTest, KeysAndButtonsStepFromBlockToBlock) {
  TRVLListBox* left = viewer->lbLeftPane;
  EXPECT_EQ(left->ItemIndex(), 4) << "the first difference is selected at creation";
  EXPECT_EQ(Key(left, Qt::Key_F7), 11);
  EXPECT_EQ(Key(viewer->lbRightPane, Qt::Key_F7), 25) << "the right pane sees the keys too";
  EXPECT_EQ(Key(left, Qt::Key_F7), 25) << "no block after the last";
  EXPECT_EQ(Key(left, Qt::Key_F7, Qt::ShiftModifier), 11);
  EXPECT_EQ(Key(left, Qt::Key_F7, Qt::ControlModifier), 11) << "Ctrl+F7 does nothing";
  EXPECT_EQ(Key(left, Qt::Key_F6, Qt::ControlModifier | Qt::AltModifier), 4) << "F6 with any modifiers";
  EXPECT_EQ(Key(left, Qt::Key_F6), 4) << "no block before the first";
  QTest::mouseClick(viewer->btnNextDiff, Qt::LeftButton);
  EXPECT_EQ(left->ItemIndex(), 11);
  QTest::mouseClick(viewer->btnPrevDiff, Qt::LeftButton);
  EXPECT_EQ(left->ItemIndex(), 4);
  EXPECT_TRUE(left->hasFocus()) << "the buttons leave the focus where it was";

  // The target row stands in the middle of the panes, both at the same top row.
  Key(left, Qt::Key_F7);
  Key(left, Qt::Key_F7);
  const int half = left->viewport()->height() / left->ItemHeight() / 2;
  EXPECT_EQ(left->TopIndex(), 25 - half);
  EXPECT_EQ(viewer->lbRightPane->TopIndex(), 25 - half);

  // A key or a click in one pane selects the same row in the other; from row 2 F6 has nowhere to go.
  EXPECT_EQ(Key(viewer->lbRightPane, Qt::Key_Home), 0);
  EXPECT_EQ(left->TopIndex(), 0);
  ClickRow(viewer->lbRightPane, 2);
  EXPECT_EQ(left->ItemIndex(), 2);
  EXPECT_EQ(Key(viewer->lbRightPane, Qt::Key_F6), 2);
  EXPECT_EQ(Key(viewer->lbRightPane, Qt::Key_F7), 4);

  QTest::keyClick(left, Qt::Key_Escape);
  EXPECT_FALSE(viewer->isVisible());
}

TEST_F(NavigationTest, FindAndFindNextSearchRowsBelowTheSelection) {
  TRVLListBox* left = viewer->lbLeftPane;
  Prompts.Script->AddAnswer("text:Line 1");
  EXPECT_EQ(Key(left, Qt::Key_F, Qt::ControlModifier), 9) << "line 10, the first match below row 4";
  ASSERT_EQ(Prompts.Script->Prompts().size(), 1u);
  EXPECT_EQ(Prompts.Script->Prompts()[0].Caption, TRVLGlobals::_Instance().ProductName);
  EXPECT_EQ(Prompts.Script->Prompts()[0].Text, "Text to find:");
  EXPECT_EQ(viewer->FindText, "LINE 1");
  EXPECT_EQ(Key(left, Qt::Key_F3), 10);
  EXPECT_EQ(Key(viewer->lbRightPane, Qt::Key_F3), 13) << "past the fillers: right line 12 reads \"line 14\"";

  // The buttons act on the pane that had the focus.
  viewer->lbLeftPane->setFocus();
  QTest::mouseClick(viewer->btnFindNext, Qt::LeftButton);
  EXPECT_EQ(left->ItemIndex(), 14) << "left line 15";

  // The number field is searched with the text: the last row, left line 30.
  Prompts.Script->AddAnswer("text:30   line");
  QTest::mouseClick(viewer->btnFind, Qt::LeftButton);
  EXPECT_EQ(left->ItemIndex(), 31);
  EXPECT_EQ(Key(left, Qt::Key_F3), 31) << "no further match; no wrap-around";

  Prompts.Script->AddAnswer("Cancel");
  EXPECT_EQ(Key(left, Qt::Key_F, Qt::ControlModifier), 31);
  EXPECT_EQ(viewer->FindText, "30   LINE") << "a cancelled find keeps the text";
  EXPECT_TRUE(Prompts.Script->PendingAnswers() == 0);
}

// What the viewer paints, on a C++ file with all three kinds of change. With RAVELIN_SCREENSHOT_DIR
// set, the picture is saved there for a person to look at.
TEST_F(DiffTest, PaintsEachKindInItsColour) {
  const std::string left =
      "#include <vector>\n\n// Sums the values.\nint Sum(const std::vector<int>& values) {\n"
      "  int total = 0;\n  for (int v : values) total += v;\n  /* an old note\n     over two lines */\n"
      "  return total;\n}\n";
  const std::string right =
      "#include <vector>\n\n// Sums the values.\nlong Sum(const std::vector<int>& values) {\n"
      "  long total = 0;\n  for (int v : values) total += v;\n  return total;\n}\n\n"
      "int Count(const std::vector<int>& values) { return int(values.size()); }\n";
  // The viewer's own colours and the IDE editor's font; the tokens' colours and styles are the syntax
  // tests'.
  TRVLRegFactory::_Instance().CreateRegDiffView()->SetChangeColor(0x80FFFF);
  TToolServicesStub services;
  Globals().ToolServices = &services;
  platform::RegistryKey(platform::Hive::CurrentUser, "Software\\Borland\\C++Builder\\3.0\\Editor\\Options", true)
      .WriteString("Editor Font", "DejaVu Sans Mono");
  auto viewer = Viewer(SsDiff(left, right, ".cpp"));
  Globals().ToolServices = nullptr;
  EXPECT_EQ(viewer->lbRightPane->font().family().toStdString(), "DejaVu Sans Mono");
  EXPECT_EQ(viewer->ChangeColor, 0x80FFFF);
  viewer->resize(900, 330);
  viewer->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(viewer.get()));
  EXPECT_EQ(Rows(*viewer), (RowList{"1|1|U", "2|2|U", "3|3|U", "4|4|C", "5|5|C", "6|6|U", "7|-|D", "8|-|D", "9|7|U",
                                 "10|8|U", "-|9|I", "-|10|I"}));
  ASSERT_NE(viewer->Syntax(viewer->lbLeftPane), nullptr);
  EXPECT_TRUE(viewer->Syntax(viewer->lbLeftPane)->HasSyntax);

  if (const char* folder = std::getenv("RAVELIN_SCREENSHOT_DIR"))
    viewer->grab().save(QString(folder) + "/diff-viewer.png");
  auto colourAt = [&](TRVLListBox* pane, int row) {
    const QImage image = pane->viewport()->grab().toImage();
    const QRect rect = pane->visualRect(pane->model()->index(row, 0));
    // Right of the text and below it: the row's own background.
    return image.pixelColor(pane->viewport()->width() - 8, rect.bottom() - 1);
  };
  EXPECT_EQ(colourAt(viewer->lbLeftPane, 3), ColorToQColor(viewer->ChangeColor));
  EXPECT_EQ(colourAt(viewer->lbLeftPane, 6), ColorToQColor(viewer->DeleteColor));
  EXPECT_EQ(colourAt(viewer->lbRightPane, 7), ColorToQColor(viewer->DeleteColor)) << "the filler too";
  EXPECT_EQ(colourAt(viewer->lbRightPane, 11), ColorToQColor(viewer->InsertColor));
  EXPECT_EQ(colourAt(viewer->lbLeftPane, 0), ColorToQColor(viewer->BackColor));

  // The Options button offers the viewer's own page alone; a colour chosen there shows at once.
  const TModalHook saved = SetModalHook([&](TForm& form) {
    auto& options = dynamic_cast<TFrmOptions&>(form);
    for (int page = 0; page < options.pgcOptions->count(); ++page)
      EXPECT_EQ(options.pgcOptions->isTabVisible(page), page == TFrmOptions::DiffViewerPage) << page;
    Prompts.Script->AddAnswer("color:$00102030");
    options.btnBrowseColor->click();
    options.btnOK->click();
  });
  viewer->btnOptions->click();
  SetModalHook(saved);
  EXPECT_EQ(colourAt(viewer->lbLeftPane, 3), ColorToQColor(0x102030));
  viewer->close();
}

} // namespace
