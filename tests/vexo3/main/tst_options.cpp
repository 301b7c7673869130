#include "tests/vexo3/main/window_fixture.h"
#include "tests/support/testmain.h"
#include "tests/vexo3/windows/option_fixture.h"

#include <QtTest>

using namespace vexo3;
using namespace optiontest;

// The options dialog on the real main window: what OK and Cancel do to it.
class TestOptions : public QObject {
    Q_OBJECT

    std::unique_ptr<testing::TestEnv> env;

    QString iniFile() const { return env->appDir() + QStringLiteral("Vexo.ini"); }

    // The user opens the options, picks the green set, sixtieths and two digits, OK.
    static void chooseGreenInSixtiethsOfTwoDigits(FrmSec &w)
    {
        ui(w).mOption1->trigger();
        fOption *d = w.optionDialog();
        clickRow(ui(*d).cmbImgList, 1);
        clickOption(ui(*d).OptMsStyle[1]);
        chooseItem(ui(*d).cmbmSCount, 1);
        click(ui(*d).cmdOK);
    }

private Q_SLOTS:
    void init()
    {
        env = twoSetsEnv();
    }
    void cleanup() { env.reset(); }

    void mainWindowTakesTheGreenSet();
    void mainWindowFractionStyleSurvivesRestart();
    void mainWindowCountsAndCancel();
    void readOnlyProgramFolderUsesTheUserCopy();
    void failedWriteShowsOneBoxAndLosesNothing();
};

void TestOptions::mainWindowTakesTheGreenSet()
{
    FrmSec w;
    w.Form_Load();
    QVERIFY(paintedFrom(ui(w).SegBox1, kRed));
    QVERIFY(paintedFrom(ui(*w.displays().bigWindow(true)).SegBox1, kRed));

    ui(w).mOption1->trigger();
    QPointer<fOption> d = w.optionDialog();
    QVERIFY(d && d->isVisible());
    QCOMPARE(d->windowIcon().pixmap(16).toImage(), w.windowIcon().pixmap(16).toImage());
    clickRow(ui(*d).cmbImgList, 1);
    QVERIFY(paintedFrom(ui(*d).SegBox1, kGreen));
    click(ui(*d).cmdOK);

    QCOMPARE(ini(*env, "SegFont", "Selected"), QStringLiteral("2"));
    QVERIFY(paintedFrom(ui(w).SegBox1, kGreen));
    QVERIFY(paintedFrom(ui(*w.displays().bigWindow(false)).SegBox1, kGreen));
    QVERIFY(env->dialogs.boxes.isEmpty());
    QTRY_VERIFY(!w.optionDialog());

    // Opened again, it is a new dialog that starts from what OK stored.
    ui(w).mOption1->trigger();
    QVERIFY(w.optionDialog() && w.optionDialog() != d);
    QCOMPARE(ui(*w.optionDialog()).cmbImgList->currentRow(), 1);
}

void TestOptions::mainWindowFractionStyleSurvivesRestart()
{
    {
        FrmSec w;
        w.Form_Load();
        QCOMPARE(w.stopwatch().msStyle, short(0));
        QCOMPARE(w.stopwatch().msCount, short(3));
        ui(w).mOption1->trigger();
        fOption *d = w.optionDialog();
        clickOption(ui(*d).OptMsStyle[1]);
        chooseItem(ui(*d).cmbmSCount, 1);
        click(ui(*d).cmdOK);
        // At once in the running program.
        QCOMPARE(w.stopwatch().msStyle, short(1));
        QCOMPARE(w.stopwatch().msCount, short(2));
    }
    QCOMPARE(ini(*env, "Setting", "mSStyle"), QStringLiteral("1"));
    QCOMPARE(ini(*env, "Setting", "mSCount"), QStringLiteral("2"));

    FrmSec again;
    again.Form_Load();
    QCOMPARE(again.stopwatch().msStyle, short(1));
    QCOMPARE(again.stopwatch().msCount, short(2));
}

void TestOptions::mainWindowCountsAndCancel()
{
    env->store.save(tavrik::core::kSettingsApp, "Setting", "SegCounts1", "14");
    env->store.save(tavrik::core::kSettingsApp, "Setting", "SegCounts2", "10");
    FrmSec w;
    w.Form_Load();
    ui(w).mOption1->trigger();
    QPointer<fOption> d = w.optionDialog();
    QCOMPARE(ui(*d).Combo1->currentText(), QStringLiteral("14(推荐)"));
    QCOMPARE(ui(*d).Combo2->currentText(), QStringLiteral("10"));

    // Cancel after changes: nothing changes, and the dialog comes back as left,
    // without loading again (a set added meanwhile is not listed).
    clickRow(ui(*d).cmbImgList, 1);
    clickOption(ui(*d).OptMsStyle[1]);
    chooseItem(ui(*d).Combo2, 11);
    const QByteArray before = readFile(iniFile());
    click(ui(*d).cmdCancel);
    QVERIFY(!d->isVisible());
    QCOMPARE(readFile(iniFile()), before);
    QCOMPARE(w.stopwatch().msStyle, short(0));
    QCOMPARE(w.displays().SegCounts2(), short(10));
    QVERIFY(paintedFrom(ui(w).SegBox1, kRed));
    QVERIFY(tavrik::core::WriteIni("SegFont", "Count", "3", iniFile()));
    QVERIFY(tavrik::core::WriteIni("SegFont", "3", "blue,seg/blue.png", iniFile()));

    ui(w).mOption1->trigger();
    QCOMPARE(w.optionDialog(), d.data());
    QVERIFY(d->isVisible());
    QCOMPARE(ui(*d).cmbImgList->count(), 2);
    QCOMPARE(ui(*d).cmbImgList->currentRow(), 1);
    QVERIFY(ui(*d).OptMsStyle[1]->isChecked());
    QCOMPARE(ui(*d).Combo2->currentText(), QStringLiteral("19"));

    // "19" for the big window: 19 cells at once, kept in the running state.
    click(ui(*d).cmdOK);
    fBig *big = w.displays().bigWindow(false);
    QVERIFY(big);
    QCOMPARE(ui(*big).SegBox1->SegCount(), QStringLiteral("19"));
    QCOMPARE(ui(*big).SegBox1->visibleCells(), 19);
    QVERIFY(paintedFrom(ui(*big).SegBox1, kGreen));
    QCOMPARE(w.displays().SegCounts1(), short(14));
    QCOMPARE(w.displays().SegCounts2(), short(19));
    QCOMPARE(env->store.value("Setting", "SegCounts2").value_or(QString()), QStringLiteral("19"));
    QCOMPARE(ui(w).SegBox1->visibleCells(), 14);
}

void TestOptions::readOnlyProgramFolderUsesTheUserCopy()
{
    // Installed for the whole system: the program folder takes no writes.
    env->setAppDirReadOnly(true);
    const QString copy = env->userDir() + QStringLiteral("/Vexo.ini");
    {
        FrmSec w;
        w.Form_Load();
        QVERIFY(paintedFrom(ui(w).SegBox1, kRed));
        chooseGreenInSixtiethsOfTwoDigits(w);
        QVERIFY(env->dialogs.boxes.isEmpty());
        QVERIFY(paintedFrom(ui(w).SegBox1, kGreen));
    }
    // The shipped file as it was; the user's copy holds it all with the choices.
    QCOMPARE(readFile(iniFile()), kTwoSets);
    QCOMPARE(tavrik::core::ReadIni("SegFont", "Selected", QString(), copy), QStringLiteral("2"));
    QCOMPARE(tavrik::core::ReadIni("SegFont", "2", QString(), copy), QStringLiteral("green,seg/green.png"));
    QCOMPARE(tavrik::core::ReadIni("Setting", "msCount", QString(), copy), QStringLiteral("2"));

    // The next start reads the copy; the image files still come from the program folder.
    FrmSec again;
    again.Form_Load();
    QVERIFY(paintedFrom(ui(again).SegBox1, kGreen));
    QCOMPARE(again.stopwatch().msStyle, short(1));
    QCOMPARE(again.stopwatch().msCount, short(2));
    ui(again).mOption1->trigger();
    QCOMPARE(ui(*again.optionDialog()).cmbImgList->currentRow(), 1);
}

void TestOptions::failedWriteShowsOneBoxAndLosesNothing()
{
    env->setAppDirReadOnly(true);
    // The user's folder cannot be made: something else has its name.
    QVERIFY(QDir(env->userDir()).removeRecursively());
    writeFile(env->userDir(), "in the way");

    FrmSec w;
    w.Form_Load();
    chooseGreenInSixtiethsOfTwoDigits(w);

    // One box for the three keys, naming what was in the way.
    QCOMPARE(env->dialogs.boxes.size(), 1);
    const auto box = env->dialogs.boxes[0];
    QVERIFY2(box.text.startsWith(QStringLiteral("写入失败：")) && box.text.contains(env->userDir()), qPrintable(box.text));
    QCOMPARE(box.title, QStringLiteral("错误"));
    // The choices still apply to this run; the shipped file is untouched.
    QVERIFY(paintedFrom(ui(w).SegBox1, kGreen));
    QCOMPARE(w.stopwatch().msStyle, short(1));
    QCOMPARE(w.stopwatch().msCount, short(2));
    QCOMPARE(readFile(iniFile()), kTwoSets);
    QCOMPARE(readFile(env->userDir()), QByteArray("in the way"));
}

TAVRIK_TEST_MAIN(TestOptions)
#include "tst_options.moc"
