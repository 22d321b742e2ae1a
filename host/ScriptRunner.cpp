#include "host/ScriptRunner.h"

#include <algorithm>
#include <sstream>

#include <QApplication>
#include <QImage>
#include <QKeySequence>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

#include "host/EditControl.h"
#include "host/EditWindow.h"
#include "host/FormControls.h"
#include "host/FormView.h"
#include "host/Host.h"
#include "host/MainForm.h"
#include "host/Module.h"
#include "platform/Exception.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "platform/Text.h"
#include "ui/Application.h"
#include "ui/HintWindow.h"
#include "ui/Menus.h"
#include "ui/Prompter.h"
#include "ui/ScriptedPrompter.h"
#include "ui/StatusBar.h"

using namespace platform;

namespace {

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n')
      out += "\\n";
    else if (c == '\r')
      out += "\\r";
    else
      out += c;
  }
  return out;
}

// The text a key produces in an editor, as a keyboard would send it.
QString KeyText(int key, Qt::KeyboardModifiers modifiers) {
  if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return {};
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return QStringLiteral("\r");
    case Qt::Key_Tab: return QStringLiteral("\t");
    case Qt::Key_Backspace: return QString(QChar(8));
    case Qt::Key_Space: return QStringLiteral(" ");
    default: break;
  }
  if (key >= 0x21 && key <= 0x7E) {
    QChar c(key);
    return (modifiers & Qt::ShiftModifier) ? QString(c.toUpper()) : QString(c.toLower());
  }
  return {};
}

// A line's "\n" as the line break it stands for.
std::string Unescaped(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, "\\n") == 0) {
      out += '\n';
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

constexpr TMsgDlgBtn DialogButtons[] = {mbYes,    mbNo,     mbOK,  mbCancel,  mbAbort,
                                        mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll};

TModalResult ReplyResult(const std::string& reply) {
  for (TMsgDlgBtn button : DialogButtons)
    if (SameText(ButtonName(button), reply)) return MsgDlgResult(button);
  throw Exception("\"" + reply + "\" is not a dialog button (OK, Cancel, Yes, No, Abort, Retry, Ignore, All, "
                  "NoToAll, YesToAll)");
}

std::string ResultName(TModalResult result) {
  for (TMsgDlgBtn button : DialogButtons)
    if (MsgDlgResult(button) == result) return ButtonName(button);
  return std::to_string(result);
}

} // namespace

TScriptRunner::TScriptRunner(THost& host, TScriptedPrompter& prompter, std::ostream& transcript)
    : FHost(host), FPrompter(prompter), FOut(transcript), FFailuresSeen(prompter.Failures().size()) {
  // Nobody sits in front of a scenario: the script answers every modal form.
  FOldModalHook = SetModalHook([this](TForm& form) { DriveModal(form); });
}

TScriptRunner::~TScriptRunner() { SetModalHook(std::move(FOldModalHook)); }

void TScriptRunner::DriveModal(TForm& form) {
  const std::string name = form.ClassName() + " \"" + form.Caption() + "\"";
  QPointer<TForm> up(&form);
  auto isUp = [&up] { return up && up->IsModal() && up->ModalResult() == mrNone; };
  if (!FDialogReplies.empty()) {
    form.SetModalResult(FDialogReplies.front());
    FDialogReplies.pop_front();
  } else {
    const int opener = FLine;
    FForms.push_back(up);
    while (FError.empty() && isUp()) {
      if (FNext >= FSteps.size())
        FError = Where(opener) + "the modal form " + name + " had no answer: the scenario ended while it was up";
      else if (!ActsInForm(FSteps[FNext].Command))
        FError = Where(FSteps[FNext].Line) + "\"" + FSteps[FNext].Command + "\" can't act on the modal form " +
                 name + ", which is still up";
      else
        RunStep(FSteps[FNext++]);
    }
    FForms.pop_back();
    FLine = opener;
  }
  if (isUp())
    up->SetModalResult(mrCancel);   // the scenario failed: everything unwinds
  else if (up)
    Print("dialog " + name + " closed with " + ResultName(up->ModalResult()));
}

TForm& TScriptRunner::UpForm() const {
  if (!FForms.empty() && FForms.back()) {
    // A window the modal form owns stays usable over it.
    if (FWindow && FWindow->isVisible())
      for (QWidget* owner = FWindow->parentWidget(); owner; owner = owner->parentWidget())
        if (owner == FForms.back()) return *FWindow;
    return *FForms.back();
  }
  if (FWindow && FWindow->isVisible()) return *FWindow;
  throw Exception(FWindow ? "the window chosen is no longer shown" : "no modal form is up and no window was chosen");
}

TForm* TScriptRunner::FindWindow(const std::string& name) {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (auto* form = qobject_cast<TForm*>(widget);
        form && form->isVisible() && (SameText(form->ClassName(), name) || SameText(form->Name(), name)))
      return form;
  return nullptr;
}

bool TScriptRunner::Load(const std::string& fileName) {
  std::string text;
  if (!ReadFile(fileName, text, &FError)) return false;
  FFileName = fileName;
  FFolder = ExtractFilePath(ExpandFileName(fileName));
  FNext = 0;
  return ParseScenario(text, fileName, FSteps, FError);
}

void TScriptRunner::QueueLeadingAnswers() {
  for (; FNext < FSteps.size() && FSteps[FNext].Command == "answer"; ++FNext) {
    Echo("> answer " + FSteps[FNext].Argument);
    FPrompter.AddAnswer(Trim(FSteps[FNext].Argument));
  }
}

bool TScriptRunner::Run() {
  CheckPrompts(Where(0), " while the IDE started");
  while (FError.empty() && FNext < FSteps.size()) RunStep(FSteps[FNext++]);
  FLine = 0;
  return FError.empty();
}

bool TScriptRunner::ClosedAnswered() {
  CheckPrompts(Where(0), " while the IDE closed");
  return FError.empty();
}

bool TScriptRunner::RunStep(const TScenarioStep& step) {
  FLine = step.Line;
  const std::string where = Where(step.Line);
  Echo("> " + step.Command + (step.Argument.empty() ? "" : " " + step.Argument));
  try {
    Execute(step);
    WaitIdle();
  } catch (const EPromptScript&) {
    // Reported below from the prompter's record, which says what was asked.
  } catch (const std::exception& e) {
    // A failure inside a modal form this step opened came first and says more.
    if (FError.empty()) FError = where + step.Command + " failed: " + e.what();
  }
  CheckPrompts(where, "");
  return FError.empty();
}

std::string TScriptRunner::Where(int line) const {
  return FFileName + (line ? ":" + std::to_string(line) : std::string()) + ": ";
}

// The prompter records every prompt it could not answer, also those whose failure something caught
// and only reported (an add-in's exception guard, say): each fails the scenario.
void TScriptRunner::CheckPrompts(const std::string& where, const std::string& when) {
  const auto& failures = FPrompter.Failures();
  if (failures.size() > FFailuresSeen && FError.empty())
    FError = where + "a prompt had no answer" + when + ": " + Escaped(failures[FFailuresSeen]);
  FFailuresSeen = failures.size();
}

void TScriptRunner::Echo(const std::string& line) {
  FOut << line << '\n';
  FOut.flush();
}

// Printed output is what `expect` searches; the echoed commands are not.
void TScriptRunner::Print(const std::string& line) {
  Echo(line);
  FTranscript += line + '\n';
}

std::string TScriptRunner::Resolve(const std::string& path) const {
  return !path.empty() && path[0] == '/' ? path : ExpandFileName(FFolder + path);
}

void TScriptRunner::WaitIdle() {
  // Several rounds: handling one batch of events (activations, deferred deletions) posts the next.
  for (int round = 0; round < 5; ++round) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

QWidget* TScriptRunner::ActiveWindow() const {
  if (!FForms.empty() && FForms.back()) return FForms.back();
  if (QWidget* window = QApplication::activeWindow()) return window;
  return FHost.EditWindow()->isVisible() ? static_cast<QWidget*>(FHost.EditWindow())
                                         : static_cast<QWidget*>(FHost.MainForm());
}

QWidget* TScriptRunner::TextTarget() const {
  if (auto* view = qobject_cast<TFormView*>(ActiveWindow())) return view->TextControl();
  if (!FHost.EditWindow()->CurrentModule()) throw Exception("no file is open in the editor");
  return FHost.EditWindow()->EditControl();
}

void TScriptRunner::TypeText(const std::string& text) {
  QWidget* target = TextTarget();
  for (QChar c : QString::fromStdString(text)) {
    int key = c.toUpper().unicode();
    Qt::KeyboardModifiers modifiers = c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier;
    if (c == ' ') key = Qt::Key_Space;
    if (c == '\t') key = Qt::Key_Tab;
    SendKey(target, key, modifiers, QString(c));
  }
}

void TScriptRunner::PressKey(const std::string& spec) {
  QKeySequence sequence = QKeySequence::fromString(QString::fromStdString(spec), QKeySequence::PortableText);
  if (sequence.isEmpty() || sequence[0].key() == Qt::Key_unknown) throw Exception("unknown key \"" + spec + "\"");
  int key = sequence[0].key();
  Qt::KeyboardModifiers modifiers = sequence[0].keyboardModifiers();
  // A key goes to the active window: the one typed into becomes it, so menu shortcuts answer too.
  QWidget* target = TextTarget();
  if (QApplication::activeWindow() != target->window()) QApplication::setActiveWindow(target->window());
  SendKey(target, key, modifiers, KeyText(key, modifiers));
}

void TScriptRunner::Activate(const std::string& path) {
  THostModule* module = FHost.FindModule(path);
  if (!module) throw Exception(path + " is not open");
  if (SameText(ExtractFileExt(path), ".dfm"))
    FHost.ShowForm(module);
  else
    FHost.ShowSource(module);
}

void TScriptRunner::PrintMenu(const std::string& path) {
  TMenuItem* root = FHost.MainForm()->Menu()->Items();
  TMenuItem* menu = root;
  if (!path.empty()) {
    // Opening the menu first lets its owner bring the items up to date.
    ClickPath(root, path);
    menu = FindItemByPath(root, path);
    if (!menu) throw Exception("no menu \"" + path + "\"");
  }
  PrintItems(menu);
}

void TScriptRunner::PrintItems(TMenuItem* menu) {
  for (int i = 0; i < menu->Count(); ++i) {
    TMenuItem* item = menu->Items(i);
    Print(item->Caption() + " | " + (item->Enabled() ? "enabled" : "disabled") + " | " +
          (item->Visible() ? "visible" : "hidden") + (item->Checked() ? " | checked" : ""));
  }
}

void TScriptRunner::PrintPopup(const std::string& path) {
  TMenuItem* menu = EditorMenu()->Items();
  if (!path.empty() && !(menu = FindItemByPath(menu, path))) throw Exception("no menu \"" + path + "\"");
  PrintItems(menu);
}

void TScriptRunner::PrintHint() {
  TStatusBar* bar = FHost.EditWindow()->StatusBar();
  if (bar->PanelCount() <= TEditWindow::OwnPanelCount)
    throw Exception("the editor's status bar has no panel after its own");
  THintWindow* hint = Application().ActivateHint(bar, bar->PanelRect(TEditWindow::OwnPanelCount).center())
                          ? Application().ActiveHintWindow()
                          : nullptr;
  Print("hint: " + (hint ? Escaped(hint->Caption()) : std::string("(none)")));
  Application().CancelHint();
}

void TScriptRunner::Shell(const std::string& command) {
  std::string error;
  int code = RunAndWait("/bin/sh -c " + QuoteArgument("cd " + QuoteArgument(FFolder) + " && " + command), 60000,
                        &error);
  if (code != 0) throw Exception("the command failed (" + (error.empty() ? std::to_string(code) : error) + ")");
}

void TScriptRunner::PrintStatus(const std::string& how) {
  // What the user sees once the editor has painted; "as-shown" reads the panels as they are, with
  // only the paints the window asked for itself.
  if (how.empty())
    FHost.EditWindow()->EditControl()->viewport()->repaint();
  else if (how != "as-shown")
    throw Exception("print-status takes nothing or \"as-shown\", not \"" + how + "\"");
  WaitIdle();
  for (const std::string& line : FHost.EditWindow()->StatusLines()) Print(line);
}

void TScriptRunner::PrintPrompts() {
  const auto& prompts = FPrompter.Prompts();
  for (; FPromptsPrinted < prompts.size(); ++FPromptsPrinted) {
    const TPromptRecord& prompt = prompts[FPromptsPrinted];
    Print("prompt: " + prompt.Caption + " | " + (prompt.Icon.empty() ? "-" : prompt.Icon) + " | " +
          Escaped(prompt.Text));
  }
}

// A menu the editor window shows open (one a status-bar click opened, say) is the one clicked in;
// otherwise the editor's local menu opens as on a right click.
TPopupMenu* TScriptRunner::EditorMenu() {
  for (TPopupMenu* open : FHost.EditWindow()->findChildren<TPopupMenu*>())
    if (open->IsOpen()) return open;
  TPopupMenu* menu = FHost.EditWindow()->LocalMenu();
  menu->DoPopup();
  return menu;
}

void TScriptRunner::ClickPopup(const std::string& path) {
  TPopupMenu* menu = EditorMenu();
  ClickPath(menu->Items(), path);
  if (menu->IsOpen()) menu->ClosePopup();
}

void TScriptRunner::StatusClick() {
  TStatusBar* bar = FHost.EditWindow()->StatusBar();
  if (bar->PanelCount() <= TEditWindow::OwnPanelCount)
    throw Exception("the editor's status bar has no panel after its own");
  QPoint at = bar->PanelRect(TEditWindow::OwnPanelCount).center();
  QMouseEvent press(QEvent::MouseButtonPress, at, bar->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(bar, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, at, bar->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(bar, &release);
}

void TScriptRunner::Screenshot(const std::string& path) {
  std::string file = Resolve(path);
  ForceDirectories(ExtractFileDir(file));
  // The window `window` chose, unless a modal form that does not own it is up over it.
  const bool chosen = FWindow && FWindow->isVisible() && (FForms.empty() || &UpForm() == FWindow.data());
  QWidget* window = chosen ? FWindow.data() : ActiveWindow();
  if (!window->grab().save(QString::fromStdString(file), "PNG"))
    throw Exception("cannot write " + file);
  Print("screenshot " + file);
}

namespace {

// Every visible top-level window drawn at its place on one picture, with a title bar each, as a
// desktop would show them.
bool SaveDesktop(const std::string& file) {
  QRect area;
  std::vector<QWidget*> windows;
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->isVisible() && window->windowType() != Qt::Popup && window->windowType() != Qt::ToolTip) {
      windows.push_back(window);
      area |= window->geometry().adjusted(-4, -26, 4, 4);
    }
  if (windows.empty()) return false;
  const int titleHeight = 22;
  QImage image(area.size() + QSize(16, 16), QImage::Format_RGB32);
  image.fill(QColor(0, 128, 128));
  QPainter painter(&image);
  QWidget* active = QApplication::activeWindow();
  // The active window last, so it lies on top.
  std::stable_partition(windows.begin(), windows.end(), [active](QWidget* w) { return w != active; });
  for (QWidget* window : windows) {
    QRect frame = window->geometry().translated(-area.topLeft() + QPoint(8, 8));
    QRect title(frame.left() - 2, frame.top() - titleHeight - 2, frame.width() + 4, titleHeight);
    painter.fillRect(frame.adjusted(-3, -titleHeight - 3, 3, 3), QColor(192, 192, 192));
    painter.fillRect(title, window == active ? QColor(0, 0, 128) : QColor(128, 128, 128));
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(title.adjusted(6, 0, -6, 0), Qt::AlignVCenter | Qt::AlignLeft, window->windowTitle());
    painter.drawPixmap(frame.topLeft(), window->grab());
  }
  return image.save(QString::fromStdString(file), "PNG");
}

} // namespace

void TScriptRunner::Execute(const TScenarioStep& step) {
  const std::string& c = step.Command;
  const std::string& arg = step.Argument;
  // A refusal the IDE explained in a message box is an outcome the scenario can print and expect;
  // one without a word is a failure.
  size_t prompts = FPrompter.Prompts().size();
  auto unless = [&](bool done, const std::string& what) {
    if (!done && FPrompter.Prompts().size() == prompts) throw Exception(what);
  };
  if (c == "open-project") {
    unless(FHost.OpenProject(Resolve(arg)), "the project " + Resolve(arg) + " was not opened");
  } else if (c == "close-project") {
    unless(FHost.CloseProject(true), "the project was not closed");
  } else if (c == "open-file") {
    unless(FHost.OpenFile(Resolve(arg)) != nullptr, "the file " + Resolve(arg) + " was not opened");
  } else if (c == "close-file") {
    THostModule* module = arg.empty() ? FHost.ActiveModule() : FHost.FindModule(Resolve(arg));
    if (!module) throw Exception("no such file is open");
    FHost.CloseModule(module, true);
  } else if (c == "activate") {
    Activate(Resolve(arg));
  } else if (c == "type") {
    TypeText(arg);
  } else if (c == "key") {
    PressKey(Trim(arg));
  } else if (c == "menu") {
    ClickPath(FHost.MainForm()->Menu()->Items(), arg);
  } else if (c == "popup") {
    ClickPopup(arg);
  } else if (c == "status-click") {
    StatusClick();
  } else if (c == "dialog") {
    TModalResult result = ReplyResult(Trim(arg));
    if (FForms.empty())
      FDialogReplies.push_back(result);
    else
      UpForm().SetModalResult(result);
  } else if (c == "print-form") {
    for (const std::string& line : DescribeForm(UpForm())) Print(Escaped(line));
  } else if (c == "click") {
    ClickControl(UpForm(), Trim(arg));
  } else if (c == "tick") {
    std::istringstream words(arg);
    std::string name, rest;
    int index = -1;
    if (!(words >> name >> index) || words >> rest) throw Exception("give a list's name and a line number");
    TickLine(UpForm(), name, index);
  } else if (c == "set") {
    size_t start = arg.find_first_not_of(" \t");
    size_t space = arg.find_first_of(" \t", start);
    TypeIntoControl(UpForm(), arg.substr(start, space - start),
                    space == std::string::npos ? std::string() : Unescaped(arg.substr(space + 1)));
  } else if (c == "window") {
    FWindow = arg.empty() ? nullptr : FindWindow(Trim(arg));
    if (!arg.empty() && !FWindow) throw Exception("no window " + Trim(arg) + " is shown");
  } else if (c == "select" || c == "form-key") {
    size_t start = arg.find_first_not_of(" \t");
    size_t space = arg.find_first_of(" \t", start);
    const std::string name = arg.substr(start, space - start);
    const std::string rest = space == std::string::npos ? std::string() : Trim(arg.substr(space + 1));
    std::istringstream words(rest);
    std::vector<int> indexes;
    for (int index; words >> index;) indexes.push_back(index);
    // Line numbers, or else the texts of rows or nodes.
    if (c == "select" && !indexes.empty() && words.eof())
      SelectLines(UpForm(), name, indexes);
    else if (c == "select")
      SelectItems(UpForm(), name, rest);
    else
      PressKeyIn(UpForm(), name, rest);
  } else if (c == "drag") {
    // drag VIEW ITEM > VIEW ITEM
    const size_t arrow = arg.find(" > ");
    std::istringstream from(arg.substr(0, arrow)), to(arrow == std::string::npos ? "" : arg.substr(arrow + 3));
    std::string fromView, toView, fromItem, toItem;
    from >> fromView >> std::ws;
    to >> toView >> std::ws;
    std::getline(from, fromItem);
    std::getline(to, toItem);
    if (fromItem.empty() || toItem.empty()) throw Exception("give \"VIEW ITEM > VIEW ITEM\"");
    DragItem(UpForm(), fromView, Trim(fromItem), toView, Trim(toItem));
  } else if (c == "form-menu") {
    ClickFormMenu(UpForm(), Trim(arg));
  } else if (c == "print-form-menu") {
    for (const std::string& line : DescribeFormMenu(UpForm(), Trim(arg))) Print(line);
  } else if (c == "answer") {
    FPrompter.AddAnswer(Trim(arg));
  } else if (c == "print-status") {
    PrintStatus(Trim(arg));
  } else if (c == "print-popup") {
    PrintPopup(Trim(arg));
  } else if (c == "print-hint") {
    PrintHint();
  } else if (c == "shell") {
    Shell(arg);
  } else if (c == "print-menu") {
    PrintMenu(Trim(arg));
  } else if (c == "print-prompts") {
    PrintPrompts();
  } else if (c == "print-text") {
    auto* text = static_cast<QPlainTextEdit*>(TextTarget());
    for (const QString& line : text->toPlainText().split('\n')) Print(line.toStdString());
  } else if (c == "print-project") {
    Print("project " + FHost.Project().FileName);
    for (const std::string& unit : FHost.Project().Units) Print("unit " + unit);
    for (const std::string& form : FHost.Project().Forms) Print("form " + form);
  } else if (c == "save") {
    THostModule* module = FHost.ActiveModule();
    if (!module) throw Exception("no file is open");
    // Written whether changed or not; a refusal shows as a message box like any save.
    FHost.SaveModule(module, true);
  } else if (c == "expect") {
    if (FTranscript.find(arg) == std::string::npos) throw Exception("the transcript does not contain \"" + arg + "\"");
  } else if (c == "wait-idle") {
    WaitIdle();
  } else if (c == "screenshot") {
    Screenshot(arg);
  } else if (c == "screenshot-desktop") {
    if (!SaveDesktop(Resolve(arg))) throw Exception("cannot write " + Resolve(arg));
    Print("screenshot " + Resolve(arg));
  }
}
