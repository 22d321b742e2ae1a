// THRVLListbox on the offscreen platform: fields under their sections, the check column and path
// shortening. Its ticks reaching the Synchronize dialog are the dialog tests'.
#include <QHeaderView>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include "TextRecorder.h"
#include "addin/dialogs/uHRVLListbox.h"
#include "ui/Graphics.h"

namespace {

THeaderSection Section(const std::string& text, int width) {
  THeaderSection section;
  section.Text = text;
  section.Width = width;
  return section;
}

class HeaderListboxTest : public ::testing::Test {
protected:
  void SetUp() override {
    panel = std::make_unique<THRVLListbox>();
    panel->resize(300, 200);
    panel->SetSections({Section("Name", 100), Section("Status", 80)});
    panel->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
  }
  void TearDown() override { panel->close(); }

  TRVLListBox& List() { return *panel->RVLListBox(); }
  // The texts row `index` draws, with the section each one starts in.
  std::vector<std::pair<std::string, int>> DrawnRow(int index) {
    TTextRecorder recorder;
    {
      QPainter painter(&recorder);
      List().DrawItem(painter, QRect(0, 0, List().width(), List().ItemHeight()), index, 0);
    }
    std::vector<std::pair<std::string, int>> row;
    for (const TDrawnText& text : recorder.Texts())
      row.emplace_back(text.Text, panel->Header()->logicalIndexAt(int(text.Position.x())));
    return row;
  }

  std::unique_ptr<THRVLListbox> panel;
};

using Row = std::vector<std::pair<std::string, int>>;

TEST_F(HeaderListboxTest, FieldsAreDrawnUnderTheirSections) {
  panel->SetCheckBoxes(true);
  List().Add("a\tb");
  List().Add("x\ty\tz\tw");
  List().Add("only");
  EXPECT_EQ(DrawnRow(0), (Row{{"a", 1}, {"b", 2}}));
  EXPECT_EQ(DrawnRow(1), (Row{{"x", 1}, {"y", 2}})) << "fields beyond the sections are not shown";
  EXPECT_EQ(DrawnRow(2), (Row{{"only", 1}}));

  panel->SetDelimChar(';');
  List().Add("c;d");
  EXPECT_EQ(DrawnRow(3), (Row{{"c", 1}, {"d", 2}}));
  Row whole = DrawnRow(0);
  ASSERT_EQ(whole.size(), 1u) << "with another delimiter the tab splits nothing";
  EXPECT_EQ(whole[0].second, 1);
}

TEST_F(HeaderListboxTest, CheckColumnComesAndGoesWithTheCheckBoxes) {
  panel->SetCheckBoxes(true);
  std::vector<THeaderSection> sections = panel->Sections();
  ASSERT_EQ(sections.size(), 3u);
  EXPECT_FALSE(sections[0].AllowClick);
  EXPECT_EQ(sections[1].Text, "Name");
  EXPECT_TRUE(List().CheckBoxes());

  panel->Header()->resizeSection(0, 60);   // as a drag would
  EXPECT_EQ(panel->Header()->sectionSize(0), 18) << "the check column keeps its width";

  panel->SetCheckBoxes(true);
  EXPECT_EQ(panel->SectionCount(), 3) << "asking twice adds no second column";
  panel->SetCheckBoxes(false);
  sections = panel->Sections();
  ASSERT_EQ(sections.size(), 2u);
  EXPECT_EQ(sections[0].Text, "Name");
  EXPECT_FALSE(List().CheckBoxes());
}

TEST_F(HeaderListboxTest, WideFieldsAreShortenedInTheMiddleOfThePath) {
  panel->SetSections({Section("Name", 200), Section("Status", 80)});
  const std::string path = "/home/developer/projects/sales/client/forms/and/more/folders/MainForm.cpp";
  List().Add(path + "\tChecked out");
  Row row = DrawnRow(0);
  ASSERT_EQ(row.size(), 2u);
  const std::string& shown = row[0].first;
  EXPECT_NE(shown, path);
  EXPECT_EQ(shown.find("/home"), 0u) << shown;
  EXPECT_NE(shown.find(".../MainForm.cpp"), std::string::npos) << shown;
  EXPECT_LE(TextWidth(List().font(), shown), 200 - 5);

  const QFont font = List().font();
  EXPECT_EQ(MinimizePath("short.cpp", font, 200), "short.cpp");
  const std::string plain = MinimizePath("averyveryverylongnamewithoutanyfolders", font, 80);
  EXPECT_NE(plain.find("…"), std::string::npos) << plain;
  EXPECT_LE(TextWidth(font, plain), 80);
}

} // namespace
