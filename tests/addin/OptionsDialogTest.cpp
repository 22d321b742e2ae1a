// The Options dialog against a real registry: every stored option shown by its control and written
// back from it on OK at its key with its type, nothing written on Cancel or on a refused OK, and
// companion masks edited in the association dialog reaching the files a command lists.
#include <functional>
#include <variant>

#include <QCheckBox>
#include <QComboBox>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "ScriptedPrompterScope.h"
#include "addin/dialogs/uRVLFormFactory.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/selection/uRVLFileListBuilderFactory.h"
#include "addin/selection/uRVLFileListBuilder.h"
#include "addin/settings/uFrmAssociate.h"
#include "addin/settings/uFrmOptions.h"
#include "addin/sourcesafe/uRVLItems.h"
#include "addin/sourcesafe/uRVLProject.h"
#include "execute/WorkFixture.h"
#include "platform/Registry.h"
#include "ui/ShortCuts.h"
#include "ui/VirtualKeys.h"

namespace {

using platform::Hive;
using platform::RegistryKey;
using TValue = std::variant<int, std::string>;

RegistryKey Key(const std::string& tail) {
  return RegistryKey(Hive::CurrentUser, Globals().RegistryKey + (tail.empty() ? "" : "\\" + tail), true);
}

void Store(const std::string& tail, const std::string& name, const TValue& value) {
  if (std::holds_alternative<int>(value))
    Key(tail).WriteInteger(name, std::get<int>(value));
  else
    Key(tail).WriteString(name, std::get<std::string>(value));
}

// The value as stored, if it is stored with the type of `like`.
TValue StoredValue(const std::string& tail, const std::string& name, const TValue& like) {
  const bool number = std::holds_alternative<int>(like);
  const auto stored = Key(tail).ReadValue(name);
  if (!stored || stored->Type != (number ? platform::ValueType::DWord : platform::ValueType::String))
    return number ? TValue(-12345) : TValue("<missing>");
  return number ? TValue(int(stored->DWord)) : TValue(stored->Text);
}

std::string Show(const TValue& value) {
  return std::holds_alternative<int>(value) ? std::to_string(std::get<int>(value)) : '"' + std::get<std::string>(value) + '"';
}

std::string Checked(const QCheckBox* box) { return box->isChecked() ? "checked" : "unchecked"; }
std::string Lines(const QListWidget* list) {
  std::string lines;
  for (int i = 0; i < list->count(); ++i) lines += list->item(i)->text().toStdString() + ";";
  return lines;
}
std::string Text(const QLineEdit* edit) { return edit->text().toStdString(); }
std::string Current(const QComboBox* combo) { return combo->currentText().toStdString(); }

// One stored value: what is put into the registry, what its control then shows, how the user changes
// it, and what OK writes afterwards.
struct TOption {
  std::string Tail, Name;
  TValue Before;
  std::function<std::string(TFrmOptions&)> Shown;
  std::string Expected;
  std::function<void(TFrmOptions&)> Change;
  TValue After;
};

class OptionsDialogTest : public WorkFixture {
protected:
  std::vector<TOption> Options() {
    auto select = [](QComboBox* TFrmOptions::*combo, int index) {
      return [=](TFrmOptions& f) { (f.*combo)->setCurrentIndex(index); };
    };
    auto click = [](QCheckBox* TFrmOptions::*box) { return [=](TFrmOptions& f) { (f.*box)->click(); }; };
    auto shortCut = [](int index) {
      return [=](TFrmOptions& f) {
        f.cboxOperation->setCurrentIndex(index);
        return f.hkeyOperation->keySequence().toString().toStdString();
      };
    };
    return {
        {"Options", "SyncOnOpen", 1, [](TFrmOptions& f) { return Checked(f.chkbSynchOnOpen); }, "checked",
         click(&TFrmOptions::chkbSynchOnOpen), 0},
        {"Options", "SynOnClose", 0, [](TFrmOptions& f) { return Checked(f.chkbSyncOnClose); }, "unchecked",
         click(&TFrmOptions::chkbSyncOnClose), 1},
        {"Options", "AsciiViewer", "view-a", [](TFrmOptions& f) { return Text(f.edAsciiViewer); }, "view-a",
         [](TFrmOptions& f) { f.edAsciiViewer->setText(" view-b "); }, " view-b "},
        {"Options", "DifferenceViewer", "/opt/meld",
         [](TFrmOptions& f) { return Text(f.edDiffViewer) + " " + Checked(f.chkbUseInternalDiff); },
         "/opt/meld unchecked", click(&TFrmOptions::chkbUseInternalDiff), ""},
        {"Options", "ShortCut0", scCtrl | 'G', shortCut(0), "Ctrl+G", nullptr, scCtrl | 'G'},
        {"Options", "ShortCut1", 0, shortCut(1), "",
         // A key without Ctrl or Alt gets Alt.
         [](TFrmOptions& f) {
           f.cboxOperation->setCurrentIndex(1);
           QTest::keyClick(f.hkeyOperation, Qt::Key_F5);
         },
         scAlt | VK_F5},
        {"Options", "ShortCut2", scCtrl | scShift | 'O', shortCut(2), "Ctrl+Shift+O",
         [](TFrmOptions& f) {
           f.cboxOperation->setCurrentIndex(2);
           QTest::keyClick(f.hkeyOperation, Qt::Key_Backspace);
         },
         0},
        {"Options", "ShortCut3", scAlt | 'U', shortCut(3), "Alt+U", nullptr, scAlt | 'U'},
        {"Options", "UseReadOnly", 1, [](TFrmOptions& f) { return Checked(f.chkbUseReadOnly); }, "unchecked",
         click(&TFrmOptions::chkbUseReadOnly), 2},
        {"Options", "UnchangedFiles", 50331648, [](TFrmOptions& f) { return Current(f.cboxUnchanged); },
         "Undo Check Out", select(&TFrmOptions::cboxUnchanged, 1), 33554432},
        {"Options", "CompareFiles", 1536, [](TFrmOptions& f) { return Current(f.cboxCompare); }, "Checksum",
         select(&TFrmOptions::cboxCompare, 3), 1024},
        {"Options", "ReplaceFiles", 64, [](TFrmOptions& f) { return Current(f.cboxReplace); }, "Ask",
         select(&TFrmOptions::cboxReplace, 1), 128},
        // A value the page does not offer shows as the default and is written back as 0.
        {"Options", "SetTimeFiles", 5, [](TFrmOptions& f) { return Current(f.cboxSetLocalFilesTime); }, "Default",
         nullptr, 0},
        {"Options", "ShowHints", 0, [](TFrmOptions& f) { return Checked(f.chkbShowHints); }, "unchecked",
         click(&TFrmOptions::chkbShowHints), 1},
        {"Options", "UseEI", 1, [](TFrmOptions& f) { return Checked(f.chkbEnableEI); }, "checked",
         click(&TFrmOptions::chkbEnableEI), 0},
        {"Options", "CheckEvery", 7,
         [](TFrmOptions& f) { return Checked(f.chkbAutoCheck) + " " + Text(f.edDays); }, "checked 7",
         [](TFrmOptions& f) { f.edDays->setText("30"); }, 30},
        {"Options", "PopupComment", 1, [](TFrmOptions& f) { return Checked(f.chkbShowCommentFromPopup); },
         "checked", click(&TFrmOptions::chkbShowCommentFromPopup), 0},
        {"Options", "AutoCheckComment", 0,
         [](TFrmOptions& f) { return Checked(f.chkbShowCommentFromAutoCheckout); }, "unchecked",
         click(&TFrmOptions::chkbShowCommentFromAutoCheckout), 1},
        {"Options", "DontCheckIn", "*.bak\r\n*.tmp\r\n", [](TFrmOptions& f) { return Lines(f.lbCheckinFiles); },
         "*.bak;*.tmp;",
         [this](TFrmOptions& f) {
           f.lbCheckinFiles->setCurrentRow(0);
           f.btnRemove->click();
           FPrompts.Script->AddAnswer("text:.obj");
           f.btnAdd->click();
         },
         "*.tmp\r\n*.obj\r\n"},
        {"DiffView", "Syntax", 0, [](TFrmOptions& f) { return Checked(f.chkbUseSyntax); }, "unchecked",
         click(&TFrmOptions::chkbUseSyntax), 1},
        {"DiffView", "IgnoreSpaces", 1, [](TFrmOptions& f) { return Checked(f.chkbIgnoreSpaces); }, "checked",
         click(&TFrmOptions::chkbIgnoreSpaces), 0},
        {"DiffView", "Change", 0x112233, [](TFrmOptions& f) { return std::to_string(f.cboxEvents->itemData(0, Qt::UserRole).toInt()); },
         std::to_string(0x112233),
         [this](TFrmOptions& f) {
           f.cboxEvents->setCurrentIndex(0);
           FPrompts.Script->AddAnswer("color:$00445566");
           f.btnBrowseColor->click();
         },
         0x445566},
        {"DiffView", "Delete", 0x000001, nullptr, "", nullptr, 0x000001},
        {"DiffView", "Insert", 0x000002, nullptr, "", nullptr, 0x000002},
        {"Intl", "DelphiLang", "German", [](TFrmOptions& f) { return Current(f.cboxIDELang); }, "German",
         select(&TFrmOptions::cboxIDELang, 0), "English"},
        // A language not registered shows, and is stored, as the first one listed.
        {"Intl", "SSLang", "French", [](TFrmOptions& f) { return Current(f.cboxSourceSafeLang); }, "English", nullptr,
         "English"},
        {"", "DisableAssoc", 1, [](TFrmOptions& f) { return Checked(f.chkbDisable); }, "checked",
         click(&TFrmOptions::chkbDisable), 0},
        {"Assoc", ".pas", "*.dfm\r\n",
         [](TFrmOptions& f) { return Current(f.cboxMainFiles) + " " + Lines(f.lbAssoc); }, ".pas *.dfm;",
         [this](TFrmOptions& f) {
           f.btnRemoveMain->click();
           FPrompts.Script->AddAnswer("text: CPP ");
           f.btnAddMain->click();
         },
         "<missing>"},
        {"Assoc", ".cpp", "<missing>", nullptr, "", nullptr, ""},
    };
  }

  void StoreAll(const std::vector<TOption>& options) {
    for (const char* language : {"English", "German"}) Key("Intl\\IDE\\" + std::string(language));
    Key("Intl\\SourceSafe\\English");
    for (const TOption& o : options)
      if (o.Before != TValue("<missing>")) Store(o.Tail, o.Name, o.Before);
  }

  std::string Export() {
    const std::string file = PathOf("export.reg");
    const TProgramRun run = RunProgram({(BuildDir() / "bin" / "regtool").string(), "export", "HKCU\\Software", file});
    EXPECT_EQ(run.Code, 0) << run.Err;
    return ReadFile(file);
  }

  TScriptedPrompterScope FPrompts;
};

TEST_F(OptionsDialogTest, EveryControlShowsItsStoredValueAndOKWritesItBack) {
  const std::vector<TOption> options = Options();
  StoreAll(options);
  auto dialog = TRVLFormFactory::_Instance().CreateOptions();
  for (const TOption& o : options) {
    if (o.Shown) {
      EXPECT_EQ(o.Shown(*dialog), o.Expected) << o.Tail << "\\" << o.Name;
    }
  }
  for (const TOption& o : options)
    if (o.Change) o.Change(*dialog);
  dialog->btnOK->click();
  EXPECT_EQ(dialog->ModalResult(), mrOk);
  for (const TOption& o : options)
    EXPECT_EQ(Show(StoredValue(o.Tail, o.Name, o.After)), Show(o.After)) << o.Tail << "\\" << o.Name;
  EXPECT_EQ(FPrompts.Script->PendingAnswers(), 0u);
}

TEST_F(OptionsDialogTest, CancelAndARefusedOKWriteNothing) {
  const std::vector<TOption> options = Options();
  StoreAll(options);
  // The first dialog stores its window's place, as every dialog does; from then on the registry is
  // compared byte for byte.
  TRVLFormFactory::_Instance().CreateOptions()->btnCancel->click();
  const std::string before = Export();

  auto dialog = TRVLFormFactory::_Instance().CreateOptions();
  for (const TOption& o : options)
    if (o.Change) o.Change(*dialog);
  dialog->btnCancel->click();
  EXPECT_EQ(dialog->ModalResult(), mrCancel);
  dialog.reset();
  EXPECT_EQ(Export(), before) << "Cancel";

  // A never-check-in mask typed in is checked at once; one stored before is checked at OK, before the
  // first value is written.
  Store("Options", "DontCheckIn", "*.[bak\r\n");
  const std::string stored = Export();
  dialog = TRVLFormFactory::_Instance().CreateOptions();
  for (const TOption& o : options)
    if (o.Change && o.Name != "DontCheckIn") o.Change(*dialog);
  FPrompts.Script->AddAnswer("text:*.[x");
  FPrompts.Script->AddAnswer("OK");
  dialog->btnAdd->click();
  EXPECT_EQ(Lines(dialog->lbCheckinFiles), "*.[bak;") << "the invalid mask is not taken";
  FPrompts.Script->AddAnswer("OK");
  dialog->btnOK->click();
  EXPECT_EQ(dialog->ModalResult(), mrNone) << "the dialog stays open";
  EXPECT_EQ(dialog->pgcOptions->currentWidget(), dialog->tabsFiles);
  const auto& prompts = FPrompts.Script->Prompts();
  ASSERT_GE(prompts.size(), 2u);
  EXPECT_EQ(prompts[prompts.size() - 2].Text, "'*.[x' is an invalid mask at (5)");
  EXPECT_EQ(prompts.back().Text, "'*.[bak' is an invalid mask at (7)");
  EXPECT_EQ(prompts.back().Icon, "Error");
  dialog.reset();
  // The page shown last is what the dialog stores besides its place.
  Key("Window\\TFrmOptions").WriteInteger("ActivePage", 0);
  EXPECT_EQ(Export(), stored) << "refused OK";
}

TEST_F(OptionsDialogTest, CompanionMasksEditedInTheAssociationDialogReachTheCurrentFilesList) {
  auto current = Item("Unit1.cpp");
  auto listed = [&] {
    auto builder = TRVLFileListBuilderFactory::_Instance().CreateCurrentFileBuilder();
    builder->SetIncludeAssociated(true);
    return FileNames(*Build(*builder, nullptr, current.get()));
  };
  // Each run opens the options, acts on the page (each association dialog answered with the next
  // text), and presses OK.
  std::vector<std::string> examples;
  auto run = [&](std::vector<std::string> typed, const std::function<void(TFrmOptions&)>& action) {
    auto dialog = TRVLFormFactory::_Instance().CreateOptions();
    const TModalHook saved = SetModalHook([&](TForm& form) {
      auto& associate = dynamic_cast<TFrmAssociate&>(form);
      associate.edAssoc->setText(QString::fromStdString(typed.front()));
      typed.erase(typed.begin());
      examples.push_back(associate.lblAssocExample->text().toStdString());
      associate.Button1->click();
    });
    action(*dialog);
    SetModalHook(saved);
    EXPECT_TRUE(typed.empty());
    dialog->btnOK->click();
  };
  using Names = std::vector<std::string>;
  EXPECT_EQ(listed(), Names{"Unit1.cpp"});

  run({" .H"}, [&](TFrmOptions& f) {
    FPrompts.Script->AddAnswer("text: CPP");
    f.btnAddMain->click();
    f.btnAddAssoc->click();
  });
  EXPECT_EQ(Key("Assoc").ReadString(".cpp"), "*.h\r\n");
  EXPECT_EQ(listed(), (Names{"Unit1.cpp", "Unit1.h"}));

  run({"dfm"}, [&](TFrmOptions& f) {
    f.lbAssoc->setCurrentRow(0);
    f.btnEditAssoc->click();
  });
  EXPECT_EQ(Key("Assoc").ReadString(".cpp"), "*dfm\r\n");
  EXPECT_EQ(examples.back(), "Form1.cpp will be associated with Form1dfm");
  EXPECT_EQ(listed(), (Names{"Unit1.cpp", "Unit1dfm"}));

  // An edit into a mask the type has already is refused.
  run({"*.bak", "*DFM"}, [&](TFrmOptions& f) {
    f.btnAddAssoc->click();
    f.lbAssoc->setCurrentRow(1);
    FPrompts.Script->AddAnswer("OK");
    f.btnEditAssoc->click();
    EXPECT_EQ(FPrompts.Script->Prompts().back().Text, "Association already exists!");
  });
  EXPECT_EQ(listed(), (Names{"Unit1.cpp", "Unit1dfm", "Unit1.bak"}));

  run({}, [&](TFrmOptions& f) {
    f.lbAssoc->setCurrentRow(0);
    f.btnRemoveAssoc->click();
    f.lbAssoc->setCurrentRow(0);
    f.btnRemoveAssoc->click();
  });
  EXPECT_EQ(listed(), Names{"Unit1.cpp"});
}

} // namespace
