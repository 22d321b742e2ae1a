#include "ui/HintWindow.h"

#include <map>

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QToolTip>

#include "platform/Exception.h"
#include "platform/Text.h"
#include "ui/Application.h"
#include "ui/Graphics.h"

namespace {

constexpr int Margin = 2;

// Hint text keeps the line breaks of the system it comes from ("\r\n" or "\r" alone).
QString DisplayText(const std::string& text) {
  QString result = QString::fromStdString(text);
  result.replace("\r\n", "\n");
  result.replace('\r', '\n');
  return result;
}

std::map<std::string, THintWindowFactory>& Registry() {
  static std::map<std::string, THintWindowFactory> registry;
  return registry;
}

// Registry keys are folded so that class names compare ignoring case.
std::string Key(const std::string& className) { return platform::FoldCase(className); }

} // namespace

THintWindow::THintWindow(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFont(QToolTip::font());
}

QRect THintWindow::CalcHintRect(int maxWidth, const std::string& text) const {
  const QRect bounds = QFontMetrics(font()).boundingRect(QRect(0, 0, maxWidth, 0), Qt::TextWordWrap | Qt::AlignLeft,
                                                         DisplayText(text));
  return QRect(0, 0, bounds.width() + 2 * Margin + 2, bounds.height() + 2 * Margin);
}

void THintWindow::ActivateHint(const QRect& rect, const std::string& text) {
  FCaption = text;
  setGeometry(rect);
  show();
  raise();
  update();
}

void THintWindow::ReleaseHandle() { hide(); }

QRect THintWindow::TextRect() const { return rect().adjusted(Margin, Margin, -Margin, -Margin); }

void THintWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), ColorToQColor(clInfoBk));
  painter.setPen(ColorToQColor(clInfoText));
  painter.drawText(TextRect(), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, DisplayText(FCaption));
  if (FBorder) {
    painter.setPen(ColorToQColor(clWindowFrame));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

void RegisterHintWindowClass(const std::string& className, THintWindowFactory factory) {
  if (className.empty() || !factory) throw Exception("A hint window class needs a name and a factory");
  Registry()[Key(className)] = std::move(factory);
}

void UnregisterHintWindowClass(const std::string& className) {
  if (Key(className) == Key("THintWindow")) return;
  Registry().erase(Key(className));
  if (qApp) Application().ReleaseHintWindowClass(className);
}

bool IsHintWindowClassRegistered(const std::string& className) {
  return Key(className) == Key("THintWindow") || Registry().count(Key(className)) != 0;
}

std::unique_ptr<THintWindow> CreateHintWindow(const std::string& className) {
  if (Key(className) == Key("THintWindow")) return std::make_unique<THintWindow>();
  auto found = Registry().find(Key(className));
  if (found == Registry().end()) throw Exception("The hint window class '" + className + "' is not registered");
  return found->second();
}
