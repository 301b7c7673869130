#pragma once

#include <QString>
#include <QWidget>
#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QRadioButton;
class QTimer;

namespace vexo3 {

class Seg;
class cmdBox;
class MainHost;

// The options dialog: digit image set (with a live preview), the stopwatch's fraction
// style and digits, and the digit cells of the main and the big window. Not modal and
// kept above other windows. OK applies everything at once and unloads the dialog;
// Cancel only hides it, so it comes back as the user left it. The main window only
// makes and shows it; its parts are private and carry the names their handlers are
// named after ("cmbImgList", "cmdOK").
class fOption : public QWidget {
    Q_OBJECT
public:
    explicit fOption(MainHost *host, QWidget *parent = nullptr);
    ~fOption() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void Form_Load();
    void cmbImgList_Click();
    void OptMsStyle_Click(int Index);
    void Timer1_Timer();
    void cmdOK_Click();
    void cmdCancel_Click();

    void buildWidgets();
    // The program folder followed by the file field of image-set entry `key`.
    static QString imageFileOf(int key);

    QGroupBox *Frame1 = nullptr;
    QListWidget *cmbImgList = nullptr;
    Seg *SegBox1 = nullptr;

    QGroupBox *Frame3 = nullptr;
    std::array<QRadioButton *, 2> OptMsStyle{};
    QLabel *Label3 = nullptr;
    QComboBox *cmbmSCount = nullptr;

    QGroupBox *Frame2 = nullptr;
    QLabel *Label1 = nullptr;
    QComboBox *Combo1 = nullptr;
    QLabel *Label2 = nullptr;
    QComboBox *Combo2 = nullptr;

    cmdBox *cmdOK = nullptr;
    cmdBox *cmdCancel = nullptr;
    QTimer *Timer1 = nullptr;

    MainHost *host_;
};

} // namespace vexo3
