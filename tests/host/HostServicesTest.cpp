// What the add-in does through the tool services besides notifications: finding modules by their form
// file, reloading a binary form, and working the main menu through its interfaces. Reloading a file
// after a check-out is the checkout_checkin scenario's.
#include "HostFixture.h"
#include "host/EditControl.h"
#include "host/FormView.h"
#include "host/MainForm.h"
#include "host/Module.h"
#include "opentools/ToolIntf.h"
#include "platform/Files.h"
#include "platform/FormFile.h"
#include "ui/Menus.h"

class HostServicesTest : public HostFixture {
protected:
  TIToolServices* Services() const { return FHost->ToolServices(); }
};

TEST_F(HostServicesTest, AFormFileOpensWithItsUnitAsOneModule) {
  ASSERT_TRUE(Services()->OpenFile(Sample("Unit1.dfm")));
  THostModule* module = FHost->FindModule(Sample("Unit1.cpp"));
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(FHost->FindModule(Sample("Unit1.dfm")), module);
  TFormView* view = FHost->FormView(module);
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->isVisible());
  EXPECT_EQ(view->Caption(), "Form1");

  TIntfPtr<TIModuleInterface> intf(Services()->GetModuleInterface(Sample("UNIT1.DFM")));   // case ignored
  ASSERT_TRUE(intf);
  TIntfPtr<TIFormInterface> form(intf->GetFormInterface());
  ASSERT_TRUE(form);
  EXPECT_EQ(form->FileName(), Sample("Unit1.dfm"));
  EXPECT_FALSE(form->FormModified());
  EXPECT_EQ(Services()->GetModuleInterface(Sample("Util.cpp")), nullptr);   // not open
}

TEST_F(HostServicesTest, ClosedFilesCanBeReopenedFromTheFileMenu) {
  ASSERT_TRUE(FHost->OpenFile(Sample("Util.cpp")));
  ASSERT_TRUE(Services()->CloseFile(Sample("Util.cpp")));
  EXPECT_FALSE(Services()->IsFileOpen(Sample("Util.cpp")));
  TMenuItem* bar = FHost->MainForm()->Menu()->Items();
  ClickPath(bar, "&File|&Reopen|&0 " + Sample("Util.cpp"));
  EXPECT_TRUE(Services()->IsFileOpen(Sample("Util.cpp")));
}

TEST_F(HostServicesTest, ANewUnitJoinsTheProject) {
  ASSERT_TRUE(FHost->OpenProject(Sample("Demo.bpr")));
  THostModule* unit = FHost->NewUnit();
  ASSERT_NE(unit, nullptr);
  EXPECT_EQ(unit->FileName(), Sample("Unit2.cpp"));   // Unit1.cpp is taken
  EXPECT_TRUE(platform::FileExists(Sample("Unit2.cpp")));
  EXPECT_EQ(Services()->GetUnitName(4), Sample("Unit2.cpp"));
  EXPECT_EQ(Services()->GetCurrentFile(), Sample("Unit2.cpp"));
}

TEST_F(HostServicesTest, MenuInterfacesReadAndChangeTheLiveMenu) {
  TIntfPtr<TIMainMenuIntf> menu(Services()->GetMainMenu());
  EXPECT_FALSE(TIntfPtr<TIMenuItemIntf>(menu->FindMenuItem("NoSuchItem")));
  TIntfPtr<TIMenuItemIntf> lock(menu->FindMenuItem("EditLockControlsItem"));
  ASSERT_TRUE(lock);
  EXPECT_EQ(lock->GetCaption(), "Loc&k Controls");
  EXPECT_EQ(lock->GetFlags(), MenuFlag(mfEnabled) | MenuFlag(mfVisible));
  TIntfPtr<TIMenuItemIntf> edit(lock->GetParent());
  EXPECT_EQ(edit->GetName(), "EditMenu");
  EXPECT_EQ(edit->GetIndex(), 1);

  // Appending (index past the end), flags, shortcut and removal.
  TIntfPtr<TIMenuItemIntf> added(edit->InsertItem(99, "&Extra", "ExtraItem", "hint", 0x4000 | 'E', 0, 3,
                                                  MenuFlag(mfVisible) | MenuFlag(mfChecked), nullptr));
  ASSERT_TRUE(added);
  EXPECT_EQ(added->GetIndex(), edit->GetItemCount() - 1);
  EXPECT_EQ(added->GetFlags(), MenuFlag(mfVisible) | MenuFlag(mfChecked));
  EXPECT_EQ(added->GetShortCut(), 0x4000 | 'E');
  EXPECT_EQ(TIntfPtr<TIMenuItemIntf>(menu->FindMenuItem("ExtraItem"))->GetGroupIndex(), 3);
  added->SetFlags(MenuFlag(mfEnabled) | MenuFlag(mfChecked), MenuFlag(mfEnabled));
  EXPECT_EQ(added->GetFlags(), MenuFlag(mfEnabled) | MenuFlag(mfVisible));
  int clicks = 0;
  added->SetOnClick([&](TIMenuItemIntf* sender) { clicks += sender->GetName() == "ExtraItem"; });
  ClickPath(FHost->MainForm()->Menu()->Items(), "&Edit|&Extra");
  EXPECT_EQ(clicks, 1);
  ASSERT_TRUE(added->DestroyMenuItem());
  EXPECT_FALSE(TIntfPtr<TIMenuItemIntf>(menu->FindMenuItem("ExtraItem")));
  EXPECT_FALSE(added->SetCaption("gone"));
}

TEST_F(HostServicesTest, ABinaryFormIsShownAsTextReadOnlyAndNeverWritten) {
  const std::string text = "object Main: TMain\r\n  Caption = 'Hi'\r\nend\r\n";
  const std::string original = platform::FormTextToBinary(text);
  std::string dfm = WriteFile("Bin/Main.dfm", original);
  WriteFile("Bin/Main.cpp", "// main\n");
  THostModule* module = FHost->OpenFile(dfm);
  ASSERT_NE(module, nullptr);
  // The file itself is writable; the binary form stays read-only and saving never writes it.
  module->RefreshReadOnly();
  EXPECT_TRUE(module->IsFormReadOnly());
  EXPECT_TRUE(FHost->SaveModule(module, true));
  EXPECT_EQ(ReadFile(dfm), original);
  TFormView* view = FHost->FormView(module);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->TextControl()->toPlainText().toStdString(), "object Main: TMain\n  Caption = 'Hi'\nend\n");
  EXPECT_EQ(view->Caption(), "Main");
  EXPECT_TRUE(view->TextControl()->isReadOnly());

  // Reloading (after a check-out, say) shows the file as it is now: a newer binary form, a broken
  // one with the reason, or a text form that can be edited again.
  std::string binary = platform::FormTextToBinary("object Main: TMain\r\n  Caption = 'Bye'\r\nend\r\n");
  WriteFile("Bin/Main.dfm", binary);
  ASSERT_TRUE(Services()->ReloadFile(dfm));
  EXPECT_EQ(view->TextControl()->toPlainText().toStdString(), "object Main: TMain\n  Caption = 'Bye'\nend\n");
  WriteFile("Bin/Main.dfm", binary.substr(0, 12));
  ASSERT_TRUE(Services()->ReloadFile(dfm));
  EXPECT_NE(view->TextControl()->toPlainText().toStdString().find("can't be shown: Binary form file: unexpected end"),
            std::string::npos);
  EXPECT_TRUE(view->TextControl()->isReadOnly());
  WriteFile("Bin/Main.dfm", text);
  ASSERT_TRUE(Services()->ReloadFile(dfm));
  EXPECT_EQ(view->TextControl()->document(), module->Form());
  EXPECT_FALSE(view->TextControl()->isReadOnly());
}
