// The IDE's QApplication: an exception escaping any event handler reaches the exception event,
// and the event loop goes on.
#include <cstdlib>
#include <stdexcept>

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/QtApplication.h"

namespace {

class TFrmThrowing : public TForm {
  Q_OBJECT
public:
  TFrmThrowing() : btnGo(new QPushButton("Go", this)) {
    btnGo->setObjectName("btnGo");
    connect(btnGo, &QPushButton::clicked, this, [] { throw std::runtime_error("handler failed"); });
  }
  QPushButton* btnGo;

protected:
  void keyPressEvent(QKeyEvent*) override { throw std::runtime_error("key failed"); }
};

TEST(QtApplicationTest, ExceptionsFromEventHandlersReachTheExceptionEvent) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  int argc = 1;
  char name[] = "ui_qtapp_tests";
  char* argv[] = {name, nullptr};
  TQtApplication app(argc, argv);

  std::vector<std::string> reports;
  Application().SetOnException([&](TObject* sender, const std::exception& e) {
    reports.push_back(ClassName(sender) + ": " + e.what());
  });
  TFrmThrowing form;
  form.Show();
  QTest::mouseClick(form.btnGo, Qt::LeftButton);   // the button is no library object: its form is the sender
  QTest::keyClick(&form, Qt::Key_A);
  // A throwing timer inside a running loop: the loop survives and ends normally.
  QTimer::singleShot(0, [] { throw std::runtime_error("timer failed"); });
  QTimer::singleShot(20, &app, &QCoreApplication::quit);
  EXPECT_EQ(app.exec(), 0);

  EXPECT_EQ(reports, (std::vector<std::string>{"TFrmThrowing: handler failed", "TFrmThrowing: key failed",
                                               "TApplication: timer failed"}));
}

} // namespace

#include "QtApplicationTest.moc"
