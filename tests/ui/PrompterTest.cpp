// The scripted prompter: answers in order, records every prompt, fails clearly; the shortcuts
// through the installed prompter; file filters in Qt's form; the Qt prompter's real dialogs.
#include <functional>
#include <memory>

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "MessageOf.h"
#include "ScriptedPrompterScope.h"
#include "TempDirTest.h"
#include "platform/Exception.h"
#include "ui/QtPrompter.h"

namespace {

class PrompterTest : public TempDirTest {
protected:
  TScriptedPrompterScope FPrompts;
  TScriptedPrompter* FScript = FPrompts.Script;
};

TEST_F(PrompterTest, AnswersComeInOrderAndEveryPromptIsRecorded) {
  for (const char* answer : {"Yes", "notoall", "text:Release 1.2"}) FScript->AddAnswer(answer);

  EXPECT_EQ(MessageBox("Check out Main.pas?", "Ravelin", MB_YESNO | MB_ICONQUESTION), IDYES);
  EXPECT_EQ(MessageDlg("Replace Unit1.pas?", mtConfirmation, {mbYes, mbNo, mbYesToAll, mbNoToAll}), mrNoToAll);
  std::string label = "Release";
  EXPECT_TRUE(InputQuery("Label", "Label name:", label));
  EXPECT_EQ(label, "Release 1.2");
  EXPECT_EQ(FScript->PendingAnswers(), 0u);

  // How each is recorded (caption, icon, text) is what every scenario's print-prompts shows.
  ASSERT_EQ(FScript->Prompts().size(), 3u);
  EXPECT_EQ(FScript->Prompts()[0].Describe(), "message box \"Ravelin\" [Question] Yes/No: Check out Main.pas? -> Yes");
  EXPECT_TRUE(FScript->Failures().empty());
}

TEST_F(PrompterTest, AMissingOrUnfittingAnswerFailsWithAClearMessage) {
  EXPECT_EQ(MessageOf<EPromptScript>([] { MessageBox("Delete the file?", "Ravelin", MB_OKCANCEL | MB_ICONWARNING); }),
            "No scripted answer for the message box \"Ravelin\" [Warning] OK/Cancel: Delete the file?");
  FScript->AddAnswer("Yes");
  EXPECT_THROW(MessageBox("Done.", "Ravelin", MB_OK), EPromptScript);
  FScript->AddAnswer("text:abc");
  EXPECT_THROW(MessageDlg("Overwrite?", mtWarning, {mbYes, mbNo}), EPromptScript);

  ASSERT_EQ(FScript->Failures().size(), 3u);
  EXPECT_EQ(FScript->Failures()[1],
            "The scripted answer 'Yes' is not a button of the message box \"Ravelin\" OK: Done. -> Yes");
  EXPECT_EQ(FScript->Prompts().size(), 3u);   // failed prompts are recorded too
}

TEST_F(PrompterTest, FileAndColourDialogsTakeTheirOwnAnswers) {
  WriteFile("src/Main.pas", "unit Main;");
  WriteFile("src/Unit2.pas", "unit Unit2;");
  TOpenDialogOptions options;
  options.Title = "Add files";
  options.Filter = "Delphi Files|*.pas;*.dfm|All Files|*.*";
  options.InitialDir = PathOf("src");
  options.MultiSelect = true;
  options.FileMustExist = true;
  FScript->AddAnswer("file:Main.pas|" + PathOf("src/Unit2.pas"));
  std::vector<std::string> files;
  ASSERT_TRUE(OpenFile(options, files));
  EXPECT_EQ(files, (std::vector<std::string>{PathOf("src/Main.pas"), PathOf("src/Unit2.pas")}));

  options.MultiSelect = false;
  options.DefaultExt = "pas";
  FScript->AddAnswer("file:Main");
  ASSERT_TRUE(OpenFile(options, files));
  EXPECT_EQ(files, std::vector<std::string>{PathOf("src/Main.pas")});

  FScript->AddAnswer("file:Missing.pas");
  EXPECT_THROW(OpenFile(options, files), EPromptScript);
  FScript->AddAnswer("file:Main.pas|Unit2.pas");
  EXPECT_THROW(OpenFile(options, files), EPromptScript);
  FScript->AddAnswer("Cancel");
  EXPECT_FALSE(OpenFile(options, files));
  options.FileMustExist = false;
  options.PathMustExist = true;
  FScript->AddAnswer("file:New.pas");
  ASSERT_TRUE(OpenFile(options, files));
  EXPECT_EQ(files, std::vector<std::string>{PathOf("src/New.pas")});
  FScript->AddAnswer("file:nowhere/New.pas");
  EXPECT_THROW(OpenFile(options, files), EPromptScript);

  // Folders and colours taken: the explorer_projects scenario and the options tests.
  TColor color = clRed;
  FScript->AddAnswer("color:purple-ish");
  EXPECT_THROW(SelectColor(color), EPromptScript);
  EXPECT_EQ(color, clRed);
}

TEST(PrompterNames, FileFiltersBecomeQtFilters) {
  EXPECT_EQ(QtFileFilter("Delphi Files|*.pas;*.dfm;*.dpr|Units|*.pas|All Files|*.*"),
            "Delphi Files (*.pas *.dfm *.dpr);;Units (*.pas);;All Files (*)");
  EXPECT_EQ(QtFileFilter("Source Safe DataBases (srcsafe.ini)|srcsafe.ini"),
            "Source Safe DataBases (srcsafe.ini) (srcsafe.ini)");
  EXPECT_THROW(QtFileFilter("Text files|*.txt|All"), Exception);
}

} // namespace

namespace {

// Runs `answer` on the first modal dialog that opens (polling, with a limit), while the caller's
// prompt blocks in the dialog's own loop.
void AnswerNextDialog(std::function<void(QWidget*)> answer) {
  auto timer = new QTimer;
  auto tries = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, [timer, tries, answer] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog || ++*tries > 200) {
      timer->stop();
      timer->deleteLater();
      if (!dialog) return;
      QPointer<QWidget> shown(dialog);
      answer(dialog);
      if (shown && shown->isVisible()) shown->close();   // a failed answer must not leave it waiting
    }
  });
  timer->start(10);
}

QAbstractButton* ButtonNamed(QWidget* dialog, const QString& text) {
  for (auto button : dialog->findChildren<QAbstractButton*>())
    if (button->text() == text) return button;
  return nullptr;
}

TEST(QtPrompterTest, MessageBoxesShowTheFlagsButtonsAndReturnThePressedOne) {
  TQtPrompter prompter;
  QString text, defaultButton;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  AnswerNextDialog([&](QWidget* dialog) {
    auto box = qobject_cast<QMessageBox*>(dialog);
    ASSERT_NE(box, nullptr);
    text = box->text();
    icon = box->icon();
    defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
    ButtonNamed(box, "&Yes")->click();
  });
  EXPECT_EQ(prompter.MessageBox("Main.pas\rCheck it out?", "Ravelin", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2), IDYES);
  EXPECT_EQ(text, "Main.pas\nCheck it out?");
  EXPECT_EQ(icon, QMessageBox::Question);
  EXPECT_EQ(defaultButton, "&No");

  AnswerNextDialog([](QWidget* dialog) { ButtonNamed(dialog, "N&o to All")->click(); });
  EXPECT_EQ(prompter.MessageDlg("Replace?", mtConfirmation, {mbYes, mbNo, mbYesToAll, mbNoToAll}), mrNoToAll);

  AnswerNextDialog([](QWidget* dialog) { dialog->close(); });
  EXPECT_EQ(prompter.MessageBox("Save?", "Ravelin", MB_YESNOCANCEL), IDCANCEL);
}

TEST(QtPrompterTest, InputQueryReturnsTheTypedTextOrKeepsTheValue) {
  TQtPrompter prompter;
  std::string value = "old";
  AnswerNextDialog([](QWidget* dialog) {
    auto input = qobject_cast<QInputDialog*>(dialog);
    ASSERT_NE(input, nullptr);
    EXPECT_EQ(input->textValue(), "old");
    input->setTextValue("Release 2");
    input->accept();
  });
  EXPECT_TRUE(prompter.InputQuery("Label", "Name:", value));
  EXPECT_EQ(value, "Release 2");
  AnswerNextDialog([](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
  EXPECT_FALSE(prompter.InputQuery("Label", "Name:", value));
  EXPECT_EQ(value, "Release 2");
}

} // namespace
