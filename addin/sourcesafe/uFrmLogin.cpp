#include "addin/sourcesafe/uFrmLogin.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRVLUtils.h"
#include "addin/settings/uRegVSS.h"
#include "addin/settings/uRegWindow.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "ui/Prompter.h"
#include "ui/StatusBar.h"

namespace {

std::string S(const QString& text) { return text.toStdString(); }

} // namespace

TFrmLogin::TFrmLogin(QObject* Owner) : TRVLForm(Owner), FRegVSS(TRVLRegFactory::_Instance().CreateRegVSS()) {
  SetName("FrmLogin");
  SetCaption("Login");
  setWindowFlags(windowFlags() | Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);

  edUser = Named(new QLineEdit(this), "edUser");
  edUser->setMinimumWidth(240);
  edPassword = Named(new QLineEdit(this), "edPassword");
  edPassword->setEchoMode(QLineEdit::Password);
  cboxDataBases = Named(new QComboBox(this), "cboxDataBases", "Name of the database you want to log into");
  edSrcsafePath = Named(new QLineEdit(this), "edSrcsafePath", "Path to the database ini file");
  edSrcsafePath->setReadOnly(true);
  edSrcsafePath->setFocusPolicy(Qt::ClickFocus);
  QPalette palette = edSrcsafePath->palette();
  palette.setColor(QPalette::Base, palette.color(QPalette::Button));
  edSrcsafePath->setPalette(palette);
  edSrcsafePath->installEventFilter(this);
  ButtonBrowse = Named(new QPushButton("&Browse...", this), "ButtonBrowse", "Select another database");
  chkbSavePassword = Named(new QCheckBox("&Save password", this), "chkbSavePassword",
                           "Save the username and password for auto logon");
  chkbSavePassword->setChecked(true);
  btnOK = Named(new QPushButton("OK", this), "btnOK");
  btnCancel = Named(new QPushButton("Cancel", this), "btnCancel");
  sbarLoginStatus = Named(new TStatusBar(this), "sbarLoginStatus");
  sbarLoginStatus->SetSimplePanel(true);
  sbarLoginStatus->setFixedHeight(sbarLoginStatus->fontMetrics().height() + 8);
  lblUser = NamedLabel("lblUser", "&Username:", edUser);
  lblPassword = NamedLabel("lblPassword", "&Password:", edPassword);
  lblDataBase = NamedLabel("lblDataBase", "&Database:", cboxDataBases);
  lblPath = NamedLabel("lblPath", "Pa&th:", edSrcsafePath);

  auto* grid = new QGridLayout;
  grid->addWidget(lblUser, 0, 0);
  grid->addWidget(edUser, 0, 1);
  grid->addWidget(lblPassword, 1, 0);
  grid->addWidget(edPassword, 1, 1);
  grid->addWidget(lblDataBase, 2, 0);
  grid->addWidget(cboxDataBases, 2, 1);
  grid->addWidget(lblPath, 3, 0);
  grid->addWidget(edSrcsafePath, 3, 1);
  grid->addWidget(ButtonBrowse, 3, 2);
  grid->addWidget(chkbSavePassword, 4, 1);
  QHBoxLayout* buttons = ButtonRow({btnOK, btnCancel});
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);   // a dialog border: not resizable
  layout->addLayout(grid);
  layout->addLayout(buttons);
  layout->addWidget(sbarLoginStatus);

  btnOK->setDefault(true);
  SetDefaultButton(btnOK);
  SetCancelButton(btnCancel);
  SetButtonResult(btnCancel, mrCancel);
  connect(btnOK, &QPushButton::clicked, this, [this] { btnOKClick(); });
  connect(ButtonBrowse, &QPushButton::clicked, this, [this] { ButtonBrowseClick(); });
  connect(cboxDataBases, &QComboBox::currentIndexChanged, this, [this] { cboxDataBasesChange(); });
}

TFrmLogin::~TFrmLogin() = default;

void TFrmLogin::LoadWindowPlacement() {
  TRVLForm::LoadWindowPlacement();
  chkbSavePassword->setChecked(RegWindow().ReadControlInteger(this, "SavePass", 1) != 0);
}

void TFrmLogin::SaveWindowPlacement() {
  TRVLForm::SaveWindowPlacement();
  RegWindow().WriteControlInteger(this, "SavePass", chkbSavePassword->isChecked() ? 1 : 0);
}

void TFrmLogin::SetStatusText(const std::string& Text) { sbarLoginStatus->SetSimpleText(Text); }

void TFrmLogin::Setup(const std::string& UserName, const std::string& IniPath) {
  FUserName = UserName;
  FIniPath = IniPath;
  FPassword.clear();
  edUser->setText(Q(FUserName));
  edPassword->clear();

  const QSignalBlocker blocker(cboxDataBases);
  cboxDataBases->clear();
  int selected = -1;
  for (const std::string& name : FRegVSS->GetDatabaseNames()) {
    cboxDataBases->addItem(Q(name));
    if (selected < 0 && !FIniPath.empty() && platform::SamePath(FRegVSS->GetIniPath(name), FIniPath))
      selected = cboxDataBases->count() - 1;
  }
  if (selected < 0) selected = cboxDataBases->findText(Q(FRegVSS->GetCurrentDatabase()), Qt::MatchFixedString);
  if (selected < 0 && cboxDataBases->count() > 0) selected = 0;
  cboxDataBases->setCurrentIndex(selected);
  cboxDataBasesChange();
}

void TFrmLogin::cboxDataBasesChange() {
  FSelectedIni = FRegVSS->GetIniPath(S(cboxDataBases->currentText()));
  edSrcsafePathExit();
}

void TFrmLogin::edSrcsafePathEnter() { edSrcsafePath->setText(Q(FSelectedIni)); }

void TFrmLogin::edSrcsafePathExit() {
  const QFontMetrics metrics(edSrcsafePath->font());
  edSrcsafePath->setText(metrics.elidedText(Q(FSelectedIni), Qt::ElideMiddle, edUser->width()));
}

void TFrmLogin::showEvent(QShowEvent* Event) {
  TRVLForm::showEvent(Event);
  // The edit's width is known once the dialog is laid out.
  if (!edSrcsafePath->hasFocus()) edSrcsafePathExit();
}

bool TFrmLogin::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == edSrcsafePath && Event->type() == QEvent::FocusIn) edSrcsafePathEnter();
  if (Watched == edSrcsafePath && Event->type() == QEvent::FocusOut) edSrcsafePathExit();
  return TRVLForm::eventFilter(Watched, Event);
}

void TFrmLogin::SelectDatabase(const std::string& Name) {
  cboxDataBases->setCurrentIndex(cboxDataBases->findText(Q(Name), Qt::MatchFixedString));
  cboxDataBasesChange();
}

void TFrmLogin::ButtonBrowseClick() {
  TOpenDialogOptions options;
  options.FileName = "srcsafe.ini";
  options.Filter = "Source Safe DataBases (srcsafe.ini)|srcsafe.ini";
  options.FileMustExist = true;
  options.PathMustExist = true;
  std::vector<std::string> files;
  if (!OpenFile(options, files) || files.empty()) return;
  const std::string iniPath = files.front();
  bool registered = false;
  for (const std::string& name : FRegVSS->GetDatabaseNames())
    if (platform::SamePath(FRegVSS->GetIniPath(name), iniPath)) {
      SelectDatabase(name);
      registered = true;
      break;
    }
  if (!registered) RegisterDatabase(iniPath);
  edUser->setFocus();
}

bool TFrmLogin::RegisterDatabase(const std::string& IniPath) {
  std::string name = platform::ExtractFileName(platform::ExtractFileDir(IniPath));
  if (!InputQuery("New Database", "Please enter a name for the new database", name)) return false;
  name = platform::Trim(name);
  // An empty name would stand for the key itself, and a taken one would lose the other database.
  if (name.empty()) {
    ShowError("A database needs a name.");
    return false;
  }
  if (!FRegVSS->GetIniPath(name).empty()) {
    ShowError("A database named \"" + name + "\" is already registered.");
    return false;
  }
  FRegVSS->AddDatabase(name, IniPath);
  cboxDataBases->addItem(Q(name));
  SelectDatabase(name);
  return true;
}

void TFrmLogin::btnOKClick() {
  SetHourglass();
  try {
    FDatabase = CoVSSDatabase::Create();
    FUserName = S(edUser->text());
    FPassword = S(edPassword->text());
    FIniPath = FSelectedIni;
    FDatabase->Open(FIniPath, FUserName, FPassword);
    FSavePass = chkbSavePassword->isChecked();
    FRegVSS->SetCurrentDatabase(S(cboxDataBases->currentText()));
    SetModalResult(mrOk);
  } catch (const EVSSAutomation& e) {
    SetStatusText(e.ErrorCode() == VSSError::Overflow ? "Password too long" : e.what());
    FDatabase = nullptr;
  } catch (const std::exception& e) {
    SetStatusText(e.what());
    FDatabase = nullptr;
  }
  RestoreCursor();
}
