#pragma once

#include "shared/core/version.h"

#include <QPoint>
#include <QRect>
#include <QString>

// Window formulas of the old main window and its record list, in twips (15 twips are
// one pixel at 96 dots per inch).
namespace vexo {

// Outer window heights: after start-up, in the mini window, and back from it.
constexpr int kStartOuterHeight = 3000;
constexpr int kMiniOuterHeight = 800;
constexpr int kRestoredOuterHeight = 3010;

// The tick and a click on the window count the window as mini below 1000 twips.
constexpr bool isMini(int outerHeightTwips) { return outerHeightTwips < 1000; }
// The new outer height after mMiniForm: mini when the window is above 1000 twips,
// otherwise back to 3010 (which is above 1000, so the next choice works again).
constexpr int miniToggledHeight(int outerHeightTwips)
{
    return outerHeightTwips > 1000 ? kMiniOuterHeight : kRestoredOuterHeight;
}

// Where the pop-up menu opens in the client area, from Label4 and in the mini window.
constexpr QPoint kMenuPopupPos{1, 300};

// cLine: the hover frame Shape1 around a control.
constexpr QRect cLine(const QRect &control)
{
    return QRect(control.left() - 5, control.top() - 10, control.width() + 10, control.height() + 20);
}

// mLock's caption while the controls are locked or not.
using tavrik::core::lockMenuCaption;

// What a close request leads to.
enum class CloseDecision {
    CloseNow,     // no Start since launch: no question, nothing stored
    RefuseLocked, // the date line refuses for two seconds (tavrik::gui::LockRefusal)
    Ask,          // kCloseQuestion with Yes and No, titled with the current caption
};
constexpr CloseDecision closeDecision(bool started, bool locked)
{
    return !started ? CloseDecision::CloseNow : (locked ? CloseDecision::RefuseLocked : CloseDecision::Ask);
}
inline const QString kCloseQuestion = QStringLiteral("真的要关闭“Tavrik”吗？ ");

// The alarm sound in the program folder (with or without its trailing "/").
QString beepPath(const QString &appDir);

// fList placed directly above the main window: same left and width, its bottom on
// the main window's top. Both rectangles are outer frames.
QRect listAbove(const QRect &mainFrame, int listOuterHeight);

} // namespace vexo
