#pragma once

#include "shared/core/displaysettings.h"
#include "shared/core/settingsstore.h"

#include <QString>
#include <array>

// The old program's stored settings: application "BriselSoftware", the section Vexo3
// keeps its display settings in, so "Speed" and "OnTop" are shared (and read and
// written by the same code, tavrik::core's display settings). The store matches key
// names without regard to case.
namespace vexo {

using tavrik::core::kDisplaySection;

// The five labels whose border a click toggles, in the order their styles are stored.
enum class Bordered { lblTime, lblTimer, lblDate, Label1, Label2 };
constexpr int kBorderedCount = 5;

// The key a label's border style is read and written under. Label2's is written as
// "label2BorderStyle", which names the same key.
QString borderStyleKey(Bordered label);
// A click: 1 (single line) becomes 0 (none), anything else 1.
constexpr int toggledBorder(int style) { return style == 1 ? 0 : 1; }

struct Settings {
    bool mA60 = false;
    bool mB60 = false;
    // Indexed by Bordered: lblTime and lblTimer have a line, the others none.
    std::array<int, kBorderedCount> borderStyle{1, 1, 0, 0, 0};
    int Speed = 2;
    bool OnTop = true;

    int border(Bordered label) const { return borderStyle[size_t(label)]; }
    void setBorder(Bordered label, int style) { borderStyle[size_t(label)] = style; }
};

// Reads every key. A missing key, a value that does not convert or a border style
// other than 0 or 1 reads as that key's default ("Speed" and "OnTop" as the display
// settings read them).
Settings readSettings(tavrik::core::SettingsStore &store);

// The writes, each as the program makes them. False when the store could not save,
// with the reason in *error.
// At the confirmed close: the five border styles in one change.
bool saveBorderStyles(tavrik::core::SettingsStore &store, const Settings &settings, QString *error = nullptr);
// mA60 / mB60 when toggled: "1" checked, "0" not.
bool saveA60(tavrik::core::SettingsStore &store, bool checked, QString *error = nullptr);
bool saveB60(tavrik::core::SettingsStore &store, bool checked, QString *error = nullptr);

} // namespace vexo
