#include "addin/dialogs/uHRVLListbox.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStandardItemModel>
#include <QVBoxLayout>

#include "platform/Text.h"
#include "ui/Application.h"
#include "ui/Graphics.h"
#include "ui/Menus.h"

namespace {

// Width of the check column a header gets with check boxes.
constexpr int CheckColumnWidth = 18;

Qt::Alignment AlignmentOf(TAlignment alignment) {
  switch (alignment) {
    case taRightJustify: return Qt::AlignRight;
    case taCenter: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
  }
}

TShiftState ShiftOf(const QMouseEvent* event) {
  TShiftState shift = 0;
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  if (modifiers.testFlag(Qt::ShiftModifier)) shift |= ssShift;
  if (modifiers.testFlag(Qt::ControlModifier)) shift |= ssCtrl;
  if (modifiers.testFlag(Qt::AltModifier)) shift |= ssAlt;
  const Qt::MouseButtons buttons = event->buttons() | event->button();
  if (buttons.testFlag(Qt::LeftButton)) shift |= ssLeft;
  if (buttons.testFlag(Qt::RightButton)) shift |= ssRight;
  if (buttons.testFlag(Qt::MiddleButton)) shift |= ssMiddle;
  return shift;
}

TMouseButton ButtonOf(const QMouseEvent* event) {
  return event->button() == Qt::RightButton ? mbRight : event->button() == Qt::MiddleButton ? mbMiddle : mbLeft;
}

} // namespace

std::string MinimizePath(const std::string& path, const QFont& font, int maxWidth) {
  if (TextWidth(font, path) <= maxWidth) return path;
  const QString text = QString::fromStdString(path);
  const int delimiter = int(std::max(text.lastIndexOf('/'), text.lastIndexOf('\\')));
  if (delimiter < 0) return QFontMetrics(font).elidedText(text, Qt::ElideMiddle, maxWidth).toStdString();
  // Keep the name with its delimiter and as much of the front as fits: the longest fitting front
  // is found by halving the range.
  const QString name = text.mid(delimiter);
  int low = 0, high = delimiter;
  while (low < high) {
    const int mid = (low + high + 1) / 2;
    if (TextWidth(font, (text.left(mid) + "..." + name).toStdString()) <= maxWidth)
      low = mid;
    else
      high = mid - 1;
  }
  const QString shortened = text.left(low) + "..." + name;
  if (TextWidth(font, shortened.toStdString()) <= maxWidth) return shortened.toStdString();
  return QFontMetrics(font).elidedText("..." + name, Qt::ElideRight, maxWidth).toStdString();
}

THRVLListbox::THRVLListbox(QWidget* parent) : QWidget(parent) {
  FHeader = new QHeaderView(Qt::Horizontal, this);
  FHeaderModel = new QStandardItemModel(0, 0, this);
  FHeader->setModel(FHeaderModel);
  FHeader->setSectionResizeMode(QHeaderView::Interactive);
  // One line of text high, whatever the list's height.
  FHeader->setFixedHeight(FHeader->fontMetrics().height() + 8);
  FHeader->setMinimumSectionSize(0);
  FHeader->setStretchLastSection(false);
  FListBox = new TRVLListBox(this);
  FListBox->SetStyle(lbOwnerDrawFixed);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(FHeader);
  layout->addWidget(FListBox, 1);   // the header keeps its own height
  resize(150, 100);

  FListBox->OnDrawItem = [this](TRVLListBox*, int index, QPainter& canvas, const QRect& rect, TOwnerDrawState state) {
    DrawRow(index, canvas, rect, state);
  };
  FListBox->OnClick = [this](TObject*) { if (OnClick) OnClick(this); };
  FListBox->OnDblClick = [this](TObject*) { if (OnDblClick) OnDblClick(this); };
  FListBox->OnClickCheck = [this](TObject*) { if (OnClickCheck) OnClickCheck(this); };
  connect(FHeader, &QHeaderView::sectionResized, this,
          [this](int section, int, int newSize) { SectionResized(section, newSize); });
  for (QWidget* control : {static_cast<QWidget*>(FListBox), static_cast<QWidget*>(FHeader)}) {
    control->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(control, &QWidget::customContextMenuRequested, this,
            [this, control](const QPoint& pos) { ShowPopup(control, pos); });
  }
  FListBox->installEventFilter(this);
  FListBox->viewport()->installEventFilter(this);
  FHeader->viewport()->installEventFilter(this);
}

void THRVLListbox::SetCheckBoxes(bool show) {
  if (show == CheckBoxes()) return;
  if (show) {
    THeaderSection check;
    check.Width = check.MinWidth = check.MaxWidth = CheckColumnWidth;
    check.AllowClick = false;
    std::vector<THeaderSection> sections = Sections();
    sections.insert(sections.begin(), check);
    FListBox->SetCheckBoxes(true);
    SetSections(sections);
  } else {
    std::vector<THeaderSection> sections = Sections();
    if (!sections.empty()) sections.erase(sections.begin());
    FListBox->SetCheckBoxes(false);
    SetSections(sections);
  }
}

std::vector<THeaderSection> THRVLListbox::Sections() {
  StretchLastSection();
  std::vector<THeaderSection> sections = FSections;
  for (size_t i = 0; i < sections.size(); ++i) sections[i].Width = FHeader->sectionSize(int(i));
  return sections;
}

void THRVLListbox::SetSections(const std::vector<THeaderSection>& sections) {
  FSections = sections;
  ApplySections();
  StretchLastSection();
  FListBox->viewport()->update();
}

void THRVLListbox::ApplySections() {
  FAdjusting = true;
  FHeaderModel->setColumnCount(int(FSections.size()));
  for (size_t i = 0; i < FSections.size(); ++i) {
    const THeaderSection& section = FSections[i];
    FHeaderModel->setHeaderData(int(i), Qt::Horizontal, QString::fromStdString(section.Text));
    FHeaderModel->setHeaderData(int(i), Qt::Horizontal, QVariant::fromValue(AlignmentOf(section.Alignment) | Qt::AlignVCenter),
                                Qt::TextAlignmentRole);
    FHeader->resizeSection(int(i), std::clamp(section.Width, section.MinWidth, section.MaxWidth));
  }
  FAdjusting = false;
}

void THRVLListbox::SetDelimChar(char delimiter) {
  FDelimChar = delimiter;
  FListBox->viewport()->update();
}

void THRVLListbox::SetLBStyle(THLBStyle style) {
  FLBStyle = style;
  FListBox->viewport()->update();
}

void THRVLListbox::StretchLastSection() {
  const int count = int(FSections.size());
  if (count == 0) return;
  int others = 0;
  for (int i = 0; i < count - 1; ++i) others += FHeader->sectionSize(i);
  if (others >= FListBox->width()) return;
  FAdjusting = true;
  FHeader->resizeSection(count - 1, FListBox->width() - others);
  FAdjusting = false;
}

void THRVLListbox::SectionResized(int section, int newSize) {
  if (FAdjusting || section >= int(FSections.size())) return;
  // A section dragged past its limits (the check column has fixed width) is put back inside them.
  const THeaderSection& limits = FSections[size_t(section)];
  const int allowed = std::clamp(newSize, limits.MinWidth, limits.MaxWidth);
  FAdjusting = true;
  if (allowed != newSize) FHeader->resizeSection(section, allowed);
  FAdjusting = false;
  StretchLastSection();
  FListBox->viewport()->update();
}

void THRVLListbox::DrawRow(int index, QPainter& canvas, const QRect& rect, TOwnerDrawState state) {
  const bool selected = state & odSelected;
  canvas.fillRect(rect, FListBox->palette().brush(selected ? QPalette::Highlight : QPalette::Base));
  canvas.setPen(FListBox->palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
  canvas.setFont(FListBox->font());
  // With check boxes the first field is the empty one under the check column.
  const std::string row = (CheckBoxes() ? std::string(1, FDelimChar) : std::string()) + FListBox->Text(index);
  const std::vector<std::string> fields = platform::Split(row, FDelimChar);
  for (int i = 0; i < int(FSections.size()); ++i) {
    const int left = FHeader->sectionViewportPosition(i);
    const QRect cell(left, rect.top(), FHeader->sectionSize(i), rect.height());
    if (FLBStyle == hlbOwnerDraw) {
      if (OnDrawCell) OnDrawCell(this, index, i, canvas, cell, state);
      continue;
    }
    std::string field = size_t(i) < fields.size() ? fields[size_t(i)] : std::string();
    if (TextWidth(FListBox->font(), field) > cell.width() - 5)
      field = MinimizePath(field, FListBox->font(), cell.width() - 5);
    canvas.drawText(cell, AlignmentOf(FSections[size_t(i)].Alignment) | Qt::AlignVCenter | Qt::TextSingleLine,
                    QString::fromStdString(field));
  }
}

void THRVLListbox::ShowPopup(QWidget* control, const QPoint& pos) {
  if (!FPopupMenu || !FPopupMenu->AutoPopup()) return;
  const QPoint global = control->mapToGlobal(pos);
  FPopupMenu->Popup(global.x(), global.y());
}

bool THRVLListbox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == FListBox && event->type() == QEvent::Resize) {
    StretchLastSection();
    return false;
  }
  const TMouseEvent* handler = nullptr;
  switch (event->type()) {
    case QEvent::MouseButtonPress: handler = &OnMouseDown; break;
    case QEvent::MouseButtonRelease: handler = &OnMouseUp; break;
    case QEvent::MouseMove: handler = &OnMouseMove; break;
    default: return false;
  }
  if (*handler) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint pos = static_cast<QWidget*>(watched)->mapTo(this, mouse->position().toPoint());
    TMouseEvent copy = *handler;   // the handler may replace itself
    Guarded(this, [&] { copy(this, ButtonOf(mouse), ShiftOf(mouse), pos.x(), pos.y()); });
  }
  return false;
}
