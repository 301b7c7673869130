#pragma once

#include "designer/segselection.h"

#include <QDialog>
#include <QWidget>

#include <memory>

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavrik::designer {

// The property page of Seg: its text and its number of cells. It reads and writes the
// first selected Seg only, also when several are selected.
class SegProterty : public QWidget {
    Q_OBJECT
public:
    explicit SegProterty(SegSelection *selection, QWidget *parent = nullptr);

    // True after an edit that has not been applied yet.
    bool Changed() const { return changed_; }

    // Fills the boxes from the first selected Seg; nothing to edit when none is selected.
    void PropertyPage_SelectionChanged();
    // Writes SegCount first (the control converts and clamps the text), then SegValue.
    void PropertyPage_ApplyChanges();

    static constexpr int kWidthTwips = 5400;
    static constexpr int kHeightTwips = 2175;

Q_SIGNALS:
    void ChangedChanged(bool changed);

private:
    void txtSegValue_Change();
    void txtSegCount_Change();
    void setChanged(bool changed);

    SegSelection *selection_;
    bool changed_ = false;
    QLabel *lblSegValue;
    QLabel *Label1;
    QLineEdit *txtSegValue;
    QLabel *lblSegCount;
    QLabel *Label2;
    QLineEdit *txtSegCount;
};

// The page in a window of its own with 确定, 取消 and 应用; 应用 is enabled while
// the page holds edits not yet applied.
class SegProtertyDialog : public QDialog {
    Q_OBJECT
public:
    SegProtertyDialog(std::unique_ptr<SegSelection> selection, QWidget *parent = nullptr);
    ~SegProtertyDialog() override;

    SegProterty *page() const { return page_; }
    QPushButton *okButton() const;
    QPushButton *cancelButton() const;
    QPushButton *applyButton() const;

    static inline const QString kCaption = QStringLiteral("SegProterty");

private:
    std::unique_ptr<SegSelection> selection_;
    SegProterty *page_;
    QDialogButtonBox *buttons_;
};

} // namespace tavrik::designer
