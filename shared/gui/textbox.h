#pragma once

#include "shared/gui/dialogs.h"

#include <QDialog>
#include <memory>

namespace tavrik::gui {

// A message box for a long text: the icon, the text in a read-only view that scrolls,
// and the OK button, sized to its text but never larger than the screen it opens on,
// so the button can always be reached.
std::unique_ptr<QDialog> makeTextBox(QWidget *parent, const QString &text, const QString &title, MsgIcon icon);

} // namespace tavrik::gui
