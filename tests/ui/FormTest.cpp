// Forms: modal runs through the modal hook, the screen's form list and components found by name.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "platform/Exception.h"
#include "ui/Application.h"
#include "ui/Component.h"
#include "ui/Form.h"
#include "ui/Screen.h"

namespace {

class TFrmAsk : public TForm {
  Q_OBJECT
public:
  explicit TFrmAsk(QObject* owner) : TForm(owner), edName(new QLineEdit(this)), btnOK(new QPushButton("OK", this)) {
    edName->setObjectName("edName");
    btnOK->setObjectName("btnOK");
    connect(btnOK, &QPushButton::clicked, this, [this] { SetModalResult(mrOk); });
  }
  QLineEdit* edName;
  QPushButton* btnOK;
};

class FormTest : public ::testing::Test {
protected:
  void TearDown() override { SetModalHook(nullptr); }
};

TEST_F(FormTest, ShowModalReturnsTheResultTheModalHookSet) {
  TFrmAsk form(nullptr);
  bool wasModal = false;
  SetModalHook([&](TForm& shown) {
    wasModal = shown.IsModal() && shown.isVisible();
    auto ask = qobject_cast<TFrmAsk*>(&shown);
    ASSERT_NE(ask, nullptr);
    ask->edName->setText("Main.pas");
    QTest::mouseClick(ask->btnOK, Qt::LeftButton);
  });
  EXPECT_EQ(form.ShowModal(), mrOk);
  EXPECT_TRUE(wasModal);
  EXPECT_EQ(form.edName->text(), "Main.pas");
  EXPECT_FALSE(form.isVisible());
  EXPECT_FALSE(form.IsModal());

  // The same form runs modally again, and closing it counts as Cancel.
  SetModalHook([](TForm& shown) { shown.Close(); });
  EXPECT_EQ(form.ShowModal(), mrCancel);
  // A result set before the loop runs ends it at once; a form already showing cannot go modal.
  SetModalHook([](TForm& shown) { shown.SetModalResult(mrYesToAll); });
  EXPECT_EQ(form.ShowModal(), mrYesToAll);
  form.Show();
  EXPECT_THROW(form.ShowModal(), Exception);
  form.Close();
}

TEST_F(FormTest, ReturnAndEscapePressTheDefaultAndCancelButtons) {
  TFrmAsk form(nullptr);
  auto btnCancel = new QPushButton("Cancel", &form);
  form.SetButtonResult(btnCancel, mrCancel);
  form.SetDefaultButton(form.btnOK);
  form.SetCancelButton(btnCancel);
  SetModalHook([&](TForm&) { QTest::keyClick(form.edName, Qt::Key_Return); });
  EXPECT_EQ(form.ShowModal(), mrOk);
  SetModalHook([&](TForm&) { QTest::keyClick(form.edName, Qt::Key_Escape); });
  EXPECT_EQ(form.ShowModal(), mrCancel);
  // A disabled default button is not pressed: the hook has to end the loop itself.
  form.btnOK->setEnabled(false);
  SetModalHook([&](TForm& shown) {
    QTest::keyClick(form.edName, Qt::Key_Return);
    EXPECT_TRUE(shown.IsModal());
    shown.SetModalResult(mrAbort);
  });
  EXPECT_EQ(form.ShowModal(), mrAbort);
}

TEST_F(FormTest, CloseQueryCanKeepTheFormOpen) {
  TFrmAsk form(nullptr);
  int asked = 0;
  form.OnCloseQuery = [&] { return ++asked > 1; };
  SetModalHook([](TForm& shown) {
    shown.Close();   // refused
    EXPECT_TRUE(shown.isVisible());
    shown.Close();
  });
  EXPECT_EQ(form.ShowModal(), mrCancel);
  EXPECT_EQ(asked, 2);
}

TEST_F(FormTest, ClassNameAndComponentsIgnoringCaseWithoutEnteringNestedForms) {
  TFrmAsk outer(nullptr);
  auto inner = new TFrmAsk(&outer);
  inner->setObjectName("Inner");
  inner->edName->setObjectName("edInner");

  EXPECT_EQ(outer.ClassName(), "TFrmAsk");
  EXPECT_EQ(outer.FindComponent("EDNAME"), outer.edName);
  EXPECT_EQ(outer.FindComponent("inner"), inner);
  EXPECT_EQ(outer.FindComponent("edInner"), nullptr);
  EXPECT_EQ(inner->FindComponent("edinner"), inner->edName);
  EXPECT_EQ(OwnerForm(inner->btnOK), inner);
  EXPECT_TRUE(inner->isWindow());
}

TEST_F(FormTest, FormsOwnedByANonWidgetGoWithIt) {
  auto owner = std::make_unique<QObject>();
  QPointer<TForm> form = new TForm(owner.get());
  EXPECT_EQ(form->Owner(), owner.get());
  owner.reset();
  EXPECT_TRUE(form.isNull());
}

TEST_F(FormTest, ScreenListsFormsInCreationOrderAndKnowsTheActiveOne) {
  const int before = Screen().FormCount();
  auto first = std::make_unique<TForm>();
  auto second = std::make_unique<TForm>();
  ASSERT_EQ(Screen().FormCount(), before + 2);
  EXPECT_EQ(Screen().Forms(before), first.get());
  EXPECT_EQ(Screen().Forms(before + 1), second.get());

  second->Show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return Screen().ActiveForm() == second.get(); }, 2000));
  first.reset();
  EXPECT_EQ(Screen().FormCount(), before + 1);
  EXPECT_EQ(Screen().Forms(before), second.get());
}

} // namespace

#include "FormTest.moc"
