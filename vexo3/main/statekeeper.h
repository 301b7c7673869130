#pragma once

#include "vexo3/engine/persistence.h"

#include <QString>

class QWidget;

namespace tavrik::gui {
class SaveNotice;
}

namespace vexo3 {

// The running state and the display settings as the settings store keeps them, and
// the one box that says, once, when they cannot be saved.
class StateKeeper {
public:
    explicit StateKeeper(QWidget *window);

    void save(const SavedState &state);
    // The state saved last; what it leaves open stays as in `current`.
    SavedState restore(const SavedState &current) const;
    // A key of the display section.
    void saveSetting(const QString &key, const QString &value);
    // After any other save through the store.
    void saved(bool ok, const QString &error);

    // At start-up, before the first save: a settings file the store cannot use is said.
    void checkStore();
    // The program ends: no box any more.
    void setEnding();

private:
    tavrik::gui::SaveNotice *notice_;
};

} // namespace vexo3
