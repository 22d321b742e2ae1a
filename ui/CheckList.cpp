#include "ui/CheckList.h"

#include <QListWidget>

int LineCheckState(const QListWidget& list, int index) {
  auto& target = const_cast<QListWidget&>(list);   // invokeMethod takes no const object; State is const
  int state = -1;
  if (list.metaObject()->indexOfMethod("State(int)") >= 0 &&
      QMetaObject::invokeMethod(&target, "State", Qt::DirectConnection, Q_RETURN_ARG(int, state), Q_ARG(int, index)))
    return state;
  const QListWidgetItem* line = list.item(index);
  const QVariant check = line ? line->data(Qt::CheckStateRole) : QVariant();
  if (!check.isValid()) return -1;
  switch (check.value<Qt::CheckState>()) {
  case Qt::Checked: return 1;
  case Qt::PartiallyChecked: return 2;
  default: return 0;
  }
}
