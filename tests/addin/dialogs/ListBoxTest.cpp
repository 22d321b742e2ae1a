// TRVLListBox on the offscreen platform: check states through real clicks and keys, enabled flags,
// item data, and scroll reporting and replay.
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include "addin/dialogs/uRVLListBox.h"

namespace {

class ListBoxTest : public ::testing::Test {
protected:
  void SetUp() override {
    list = std::make_unique<TRVLListBox>();
    list->resize(200, 150);
    for (const char* name : {"Unit1.cpp", "Unit1.h", "Unit1.dfm", "Project1.bpr"}) list->Add(name);
    list->OnClickCheck = [this](TObject* sender) {
      EXPECT_EQ(sender, list.get());
      checkCounts.push_back(list->ChkCount());
    };
    list->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list.get()));
  }
  void TearDown() override { list->close(); }

  // Clicks item `index` `x` pixels right of its left edge.
  void ClickItem(int index, int x) {
    QRect rect = list->visualRect(list->model()->index(index, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(rect.left() + x, rect.center().y()));
  }
  std::vector<int> States() const {
    std::vector<int> states;
    for (int i = 0; i < list->Count(); ++i) states.push_back(list->State(i));
    return states;
  }

  std::unique_ptr<TRVLListBox> list;
  std::vector<int> checkCounts;   // ChkCount seen by each OnClickCheck
};

TEST_F(ListBoxTest, StatesEnabledFlagsItemDataAndChkCount) {
  list->SetItemData(0, 4711);   // data alone leaves the state alone
  list->SetChecked(1, true);
  list->SetState(2, 2);
  list->SetState(3, 1);
  EXPECT_EQ(States(), (std::vector<int>{0, 1, 2, 1}));
  EXPECT_EQ(list->ChkCount(), 2) << "grayed items do not count";
  EXPECT_FALSE(list->Checked(2));

  list->SetItemEnabled(3, false);
  list->SetState(3, 0);
  EXPECT_EQ(list->State(3), 1) << "a disabled item keeps its state";

  // State travels with its item.
  list->Delete(1);
  EXPECT_EQ(States(), (std::vector<int>{0, 2, 1}));
  EXPECT_EQ(list->ItemData(0), 4711);
  EXPECT_FALSE(list->ItemEnabled(2));
  list->Clear();
  list->Add("Again.cpp");
  EXPECT_EQ(States(), std::vector<int>{0});
  EXPECT_TRUE(list->ItemEnabled(0));
  EXPECT_EQ(list->State(7), 0) << "outside the list reads as untouched";
}

TEST_F(ListBoxTest, ClicksInTheCheckColumnToggle) {
  list->SetCheckBoxes(true);
  ClickItem(0, 2);
  ClickItem(0, 2);
  EXPECT_EQ(list->State(0), 0) << "unchecked -> checked -> unchecked";

  ClickItem(1, TRVLListBox::CheckWidth() + 4);
  EXPECT_EQ(list->State(1), 0) << "a click on the text does not toggle";
  EXPECT_EQ(checkCounts.size(), 2u);

  list->SetItemEnabled(2, false);
  ClickItem(2, 2);
  EXPECT_EQ(list->State(2), 0) << "a disabled item keeps its state";
  EXPECT_EQ(checkCounts.size(), 3u) << "but the click is still reported";

  ClickItem(3, 2);
  EXPECT_EQ(list->State(3), 1);
  QTest::mouseClick(list->viewport(), Qt::RightButton, {},
                    list->visualRect(list->model()->index(3, 0)).topLeft() + QPoint(2, 2));
  EXPECT_EQ(list->State(3), 0) << "any mouse button toggles";
}

TEST_F(ListBoxTest, HiddenCheckBoxesStillToggleByClickAndSpace) {
  ASSERT_FALSE(list->CheckBoxes());
  ClickItem(1, 1);
  EXPECT_EQ(list->State(1), 1);
  list->SetItemIndex(2);
  list->SetSelected(2, true);
  QTest::keyClick(list.get(), Qt::Key_Space);
  EXPECT_EQ(States(), (std::vector<int>{0, 1, 1, 0}));
  EXPECT_EQ(checkCounts, (std::vector<int>{1, 2}));
}

TEST_F(ListBoxTest, ShowingOrHidingCheckBoxesKeepsEveryItemsState) {
  list->SetChecked(0, true);
  list->SetState(1, 2);
  list->SetItemData(2, 99);
  list->SetItemEnabled(3, false);
  list->SetCheckBoxes(true);
  list->SetCheckBoxes(false);
  list->SetHScrollBar(true);
  EXPECT_EQ(States(), (std::vector<int>{1, 2, 0, 0}));
  EXPECT_EQ(list->ItemData(2), 99);
  EXPECT_FALSE(list->ItemEnabled(3));
}

TEST_F(ListBoxTest, ScrollingIsReportedAndReplayedWithoutEcho) {
  TRVLListBox other;
  other.resize(200, 150);
  for (int i = 0; i < 100; ++i) {
    list->Add("Line " + std::to_string(i));
    other.Add("Line " + std::to_string(i));
  }
  other.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
  std::vector<TWMScroll> reported;
  list->OnScroll = [&](TObject* sender, TWMScroll& message) {
    EXPECT_EQ(sender, list.get());
    reported.push_back(message);
    other.ReplayScroll(message);
  };
  int echoes = 0;
  other.OnScroll = [&](TObject*, TWMScroll&) { ++echoes; };

  list->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
  ASSERT_EQ(reported.size(), 1u);
  EXPECT_EQ(reported[0].Msg, WM_VSCROLL);
  EXPECT_GT(list->TopIndex(), 0);
  EXPECT_EQ(other.TopIndex(), list->TopIndex()) << "the other pane follows";
  EXPECT_EQ(echoes, 0) << "a replay is not reported";

  other.ReplayScroll({WM_VSCROLL, SB_LINEDOWN, 0});
  EXPECT_EQ(other.TopIndex(), list->TopIndex() + 1);
  other.ReplayScroll({WM_VSCROLL, SB_BOTTOM, 0});
  EXPECT_EQ(other.TopIndex(), other.verticalScrollBar()->maximum());
  other.ReplayScroll({WM_VSCROLL, SB_THUMBPOSITION, 7});
  EXPECT_EQ(other.TopIndex(), 7);
  EXPECT_EQ(echoes, 0);

  list->SetTopIndex(3);
  EXPECT_EQ(list->TopIndex(), 3);
  EXPECT_EQ(reported.size(), 1u) << "a top index set by the program is no scroll";
  other.close();
}

} // namespace
