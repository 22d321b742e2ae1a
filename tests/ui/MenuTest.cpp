// Menu items: insertion at an index, separators, lookup by caption and path, clicks through heads,
// lifetime between owner and parent; main menus on a bar and popup menus that never block.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "MessageOf.h"
#include "platform/Exception.h"
#include "ui/Component.h"
#include "ui/Form.h"
#include "ui/Menus.h"

namespace {

TMenuItem* NewItem(QObject* owner, const std::string& name, const std::string& caption) {
  auto item = new TMenuItem(owner);
  item->SetName(name);
  item->SetCaption(caption);
  return item;
}

std::vector<std::string> ShownTexts(QWidget* container) {
  std::vector<std::string> texts;
  for (QAction* action : container->actions()) texts.push_back(action->isSeparator() ? "-" : action->text().toStdString());
  return texts;
}

TEST(MenuTest, ItemsInsertAtAnIndexAndShowInThatOrder) {
  TForm form;
  TMenuItem* head = NewItem(&form, "RVLMenuSS", "S&ourceSafe");
  head->Add(NewItem(&form, "RVLMnuGetLatest", "&Get Latest Version"));
  head->Add(NewItem(&form, "RVLMnuCheckIn", "Check &In"));
  head->Insert(1, NewItem(&form, "RVLMnuCheckOut", "Check &Out"));
  head->Insert(3, NewItem(&form, "RVLMenuSSSep3", "-"));
  head->Insert(0, NewItem(&form, "First", "&First"));

  ASSERT_EQ(head->Count(), 5);
  EXPECT_EQ(head->Items(2)->MenuIndex(), 2);
  EXPECT_TRUE(head->Items(4)->IsSeparator());
  EXPECT_EQ(ShownTexts(head->SubMenu()),
            (std::vector<std::string>{"&First", "&Get Latest Version", "Check &Out", "Check &In", "-"}));
  EXPECT_THROW(head->Insert(7, NewItem(&form, "x", "x")), Exception);
  EXPECT_THROW(head->Items(5), Exception);
  EXPECT_THROW(head->Items(0)->Add(head), Exception);
}

// Access keys and case are the click-path test's.
TEST(MenuTest, FindSkipsSeparatorsAndKeepsADoubledAmpersand) {
  TMenuItem root(nullptr);
  root.Add(NewItem(&root, "sep", "-"));
  EXPECT_EQ(root.Find("-"), nullptr);
  EXPECT_EQ(StripHotkey("Save && E&xit"), "Save & Exit");
}

// Deleting an item takes it out of its parent and takes its own items with it.
TEST(MenuTest, DeletingAnItemTakesItsItems) {
  TMenuItem a(nullptr), b(nullptr);
  TMenuItem* item = NewItem(&a, "x", "X");
  b.Add(NewItem(&b, "y", "Y"));
  TMenuItem* leaf = NewItem(&a, "leaf", "Leaf");
  b.Add(item);
  item->Add(leaf);
  QPointer<TMenuItem> leafAlive(leaf);
  delete item;
  EXPECT_EQ(b.Count(), 1);
  EXPECT_EQ(ShownTexts(b.SubMenu()), std::vector<std::string>{"Y"});
  EXPECT_TRUE(leafAlive.isNull());
  EXPECT_EQ(FindComponent(&a, "leaf"), nullptr);
}

TEST(MenuTest, ClickPathOpensHeadsBeforeLookingForTheNextStepAndNamesTheStepThatFails) {
  TMenuItem root(nullptr);
  TMenuItem* head = NewItem(&root, "RVLMnuCheckIn", "Check &In");
  root.Add(head);
  TMenuItem* current = NewItem(&root, "RVLMenuCheckInCurrent", "&Current File");
  head->Add(current);
  std::vector<std::string> clicks;
  // The head renames and enables its first item as it opens.
  current->SetEnabled(false);
  head->OnClick = [&](TObject*) {
    clicks.push_back("head");
    current->SetCaption("&Main.pas");
    current->SetEnabled(true);
  };
  current->OnClick = [&](TObject* sender) { clicks.push_back(ComponentName(sender)); };

  ClickPath(&root, "Check In|Main.pas");
  EXPECT_EQ(clicks, (std::vector<std::string>{"head", "RVLMenuCheckInCurrent"}));
  EXPECT_EQ(FindItemByPath(&root, "rvlmnucheckin | &Main.pas"), current);
  EXPECT_EQ(FindItemByPath(&root, "Check In|Nothing"), nullptr);

  head->OnClick = nullptr;
  clicks.clear();
  current->SetEnabled(false);
  EXPECT_EQ(MessageOf<Exception>([&] { ClickPath(&root, "Check In|Main.pas"); }),
            "The menu item 'Main.pas' in 'Check In' is disabled");
  current->SetEnabled(true);
  current->SetVisible(false);
  EXPECT_THROW(ClickPath(&root, "Check In|Main.pas"), Exception);
  EXPECT_THROW(ClickPath(&root, "Check In|Unlock"), Exception);
  EXPECT_TRUE(clicks.empty());
  current->Click();   // a disabled item ignores clicks; a hidden one may still be clicked by code
  EXPECT_EQ(clicks.size(), 1u);
}

TEST(MenuTest, ShortCutsCheckedStateAndHintReachTheAction) {
  TMenuItem item(nullptr);
  item.SetShortCut(TextToShortCut("Ctrl+F2"));
  item.SetChecked(true);
  item.SetHint("Get the latest version");
  EXPECT_EQ(item.Action()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F2));
  EXPECT_TRUE(item.Action()->isChecked());
  item.Action()->trigger();   // a click leaves the check mark to the program
  EXPECT_TRUE(item.Checked());
  EXPECT_TRUE(item.Action()->isChecked());
  item.SetChecked(false);
  EXPECT_FALSE(item.Action()->isCheckable());
  EXPECT_EQ(item.Action()->statusTip(), "Get the latest version");
  item.SetShortCut(0);
  EXPECT_TRUE(item.Action()->shortcut().isEmpty());
}

TEST(MenuTest, MainMenuHeadsAreOnTheBarAndClicksThereAndInTheOpenedMenuReachTheItems) {
  TForm form;
  form.setLayout(new QVBoxLayout);
  TMainMenu menu(&form);
  TMenuItem* file = NewItem(&form, "FileMenu", "&File");
  TMenuItem* vcs = NewItem(&form, "VcsMenu", "S&ourceSafe");
  menu.Items()->Add(file);
  menu.Items()->Add(vcs);
  file->Add(NewItem(&form, "FileClosedFilesItem", "Reopen"));
  EXPECT_EQ(form.layout()->menuBar(), menu.MenuBar());
  EXPECT_EQ(ShownTexts(menu.MenuBar()), (std::vector<std::string>{"&File", "S&ourceSafe"}));
  ASSERT_NE(vcs->SubMenu(), nullptr);   // an empty head still opens a menu
  EXPECT_EQ(menu.FindItem("fileclosedfilesitem")->Caption(), "Reopen");

  std::vector<std::string> clicks;
  // The head fills its menu as it opens, as the add-in does on the first request.
  vcs->OnClick = [&](TObject*) {
    clicks.push_back("open");
    if (vcs->Count() == 0) {
      TMenuItem* item = NewItem(&form, "RVLMnuSynchronize", "Synchroni&ze Project...");
      item->OnClick = [&](TObject*) { clicks.push_back("synchronize"); };
      vcs->Add(item);
    }
  };
  form.resize(400, 300);
  form.Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

  QMenuBar* bar = menu.MenuBar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(vcs->Action()).center());
  ASSERT_TRUE(QTest::qWaitFor([&] { return vcs->SubMenu()->isVisible(); }, 2000));
  QMenu* opened = vcs->SubMenu();
  QTest::mouseClick(opened, Qt::LeftButton, {}, opened->actionGeometry(vcs->Items(0)->Action()).center());
  ASSERT_TRUE(QTest::qWaitFor([&] { return clicks.size() == 2; }, 2000));
  EXPECT_EQ(clicks, (std::vector<std::string>{"open", "synchronize"}));
}

TEST(MenuTest, PopupMenusOpenWithoutBlockingRunOnPopupFirstAndKeepAnExcludedRectangleFree) {
  TForm form;
  TPopupMenu popup(&form);
  popup.SetName("EditorLocalMenu");
  for (int i = 0; i < 5; ++i) popup.Items()->Add(NewItem(&form, "i" + std::to_string(i), "Item " + std::to_string(i)));
  int popups = 0;
  popup.OnPopup = [&](TObject* sender) {
    EXPECT_EQ(sender, &popup);
    ++popups;
  };

  popup.Popup(100, 100);
  EXPECT_EQ(popups, 1);
  EXPECT_TRUE(QTest::qWaitFor([&] { return popup.IsOpen(); }, 2000));
  popup.ClosePopup();
  EXPECT_FALSE(popup.IsOpen());
  popup.DoPopup();
  EXPECT_EQ(popups, 2);
  EXPECT_EQ(form.FindComponent("editorlocalmenu"), &popup);

  const QRect panel(200, 300, 143, 20);
  popup.TrackPopup(panel.topLeft(), panel);
  ASSERT_TRUE(QTest::qWaitFor([&] { return popup.IsOpen(); }, 2000));
  EXPECT_FALSE(popup.Menu()->geometry().intersects(panel));
  EXPECT_EQ(popup.Menu()->geometry().top(), panel.bottom() + 1);
  popup.ClosePopup();
  // At the foot of the screen it opens above the rectangle.
  const QRect screen = popup.Menu()->screen()->availableGeometry();
  const QRect low(200, screen.bottom() - 19, 143, 20);
  popup.TrackPopup(low.topLeft(), low);
  ASSERT_TRUE(QTest::qWaitFor([&] { return popup.IsOpen(); }, 2000));
  EXPECT_FALSE(popup.Menu()->geometry().intersects(low));
  EXPECT_LT(popup.Menu()->geometry().bottom(), low.top());
  popup.ClosePopup();
}

} // namespace
