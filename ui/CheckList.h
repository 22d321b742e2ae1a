#pragma once
// Check boxes on the lines of a list, read the same way for every list, whatever library made it. A
// plain QListWidget's check-box lines carry Qt::CheckStateRole; a list that keeps and draws its
// lines' check boxes itself declares `Q_INVOKABLE int State(int index) const` (0 unchecked,
// 1 checked, 2 grayed), so that scripts and tests read it without its headers.
class QListWidget;

// The check state of line `index` of `list`: 0 unchecked, 1 checked, 2 grayed, or -1 when the line
// has no check box.
int LineCheckState(const QListWidget& list, int index);
