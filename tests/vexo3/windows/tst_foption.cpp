#include "tests/vexo3/windows/option_fixture.h"
#include "tests/support/testmain.h"

#include <QtTest>

using namespace vexo3;
using namespace optiontest;


class TestFOption : public QObject {
    Q_OBJECT

    std::unique_ptr<testing::TestEnv> env;
    std::unique_ptr<FakeHost> host;

    QString iniFile() const { return env->appDir() + QStringLiteral("Vexo.ini"); }

    // A dialog on the fake host, shown as the main window shows it.
    fOption *open()
    {
        auto *d = new fOption(host.get());
        host->dialog = d;
        d->show();
        d->raise();
        return d;
    }

    // Both displays as the main window leaves them at start-up: the chosen set, and
    // the counts it holds.
    void prepareDisplays()
    {
        host->seg->LoadSegImageFile(env->appDir() + QStringLiteral("seg/red.png"));
        host->seg->setSegCount(QString::number(host->counts1));
        host->seg->setSegValue(QStringLiteral("0.000"));
        fBig *big = host->bigWindow(true);
        ui(*big).SegBox1->setSegCount(QString::number(host->counts2));
        ui(*big).SegBox1->setSegValue(QStringLiteral("12:34.5"));
        host->bigCreated = 0;
    }

private Q_SLOTS:
    void init()
    {
        env = twoSetsEnv();
        host = std::make_unique<FakeHost>();
    }
    void cleanup()
    {
        delete host->dialog.data();
        host.reset();
        env.reset();
    }

    void windowAndControls();
    void previewFollowsTheClock();
    void listsSetsAndPreviewsTheChosenOne();
    void okAppliesEverythingInOrder();
    void okMakesTheBigWindowWhenThereIsNone();
    void noImageSetsGiveEmptyListAndBuiltInDigits();
    void selectedAtLoad_data();
    void selectedAtLoad();
    void entryWithoutFile_data();
    void entryWithoutFile();
    void fractionStyleWritten_data();
    void fractionStyleWritten();
    void fractionStyleAtLoad_data();
    void fractionStyleAtLoad();
    void sixtiethsOfferTwoDigitsAtMost();
    void segCountsAtLoad_data();
    void segCountsAtLoad();
    void cancelHidesAndKeepsTheChoices();
    void escapeCancelsAndCloseUnloads();
};

void TestFOption::windowAndControls()
{
    fOption *d = open();
    const OptionUi u = ui(*d);
    QCOMPARE(d->windowTitle(), QStringLiteral("选项"));
    QCOMPARE(d->size(), QSize(tavrik::controls::px(4710), tavrik::controls::px(5520)));
    QCOMPARE(d->windowIcon().pixmap(16).toImage(), host->icon.pixmap(16).toImage());
    QVERIFY(tavrik::gui::isTopmost(d));
    QVERIFY(!d->isModal());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QVERIFY(u.Timer1->isActive());
    QCOMPARE(u.Timer1->interval(), 50);

    QCOMPARE(u.Frame1->title(), QStringLiteral("字体"));
    QCOMPARE(u.Frame3->title(), QStringLiteral("显示样式(秒表)"));
    QCOMPARE(u.Frame2->title(), QStringLiteral("数码管位数"));
    QCOMPARE(u.OptMsStyle[0]->text(), QStringLiteral("1S=1000mS"));
    QCOMPARE(u.OptMsStyle[1]->text(), QStringLiteral("1S=60(个性)"));
    QCOMPARE(u.Label3->text(), QStringLiteral("位数"));
    QCOMPARE(u.Label1->text(), QStringLiteral("主窗口"));
    QCOMPARE(u.Label2->text(), QStringLiteral("大窗口"));
    QStringList digits;
    for (int i = 0; i < u.cmbmSCount->count(); ++i)
        digits << u.cmbmSCount->itemText(i);
    QCOMPARE(digits, QStringList({"1位", "2位", "3位(仅ms方式)!"}));
    const QStringList counts{"8", "9", "10", "11", "12", "13", "14(推荐)", "15", "16", "17", "18", "19"};
    for (QComboBox *c : {u.Combo1, u.Combo2}) {
        QStringList items;
        for (int i = 0; i < c->count(); ++i)
            items << c->itemText(i);
        QCOMPARE(items, counts);
    }
    QCOMPARE(u.cmdOK->Caption(), QStringLiteral("确定"));
    QCOMPARE(u.cmdCancel->Caption(), QStringLiteral("取消"));

    // Every control lies inside the client area and inside its frame, and no two
    // controls of one frame overlap.
    const QRect client = d->rect();
    for (QGroupBox *f : {u.Frame1, u.Frame2, u.Frame3}) {
        QVERIFY(client.contains(f->geometry()));
        const QList<QWidget *> kids = f->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
        for (QWidget *k : kids) {
            QVERIFY2(f->rect().contains(k->geometry()), qPrintable(k->metaObject()->className()));
            for (QWidget *o : kids)
                if (o != k && !k->isHidden() && !o->isHidden())
                    QVERIFY2(!k->geometry().intersects(o->geometry()), qPrintable(k->metaObject()->className()));
        }
    }
    QVERIFY(client.contains(u.cmdOK->geometry()));
    QVERIFY(client.contains(u.cmdCancel->geometry()));
}

void TestFOption::previewFollowsTheClock()
{
    // The preview starts as loaded: "123456" in four cells.
    fOption d(host.get());
    const OptionUi u = ui(d);
    QCOMPARE(u.SegBox1->SegCount(), QStringLiteral("4"));
    QCOMPARE(u.SegBox1->SegValue(), QStringLiteral("123456"));
    QCOMPARE(u.SegBox1->cellGlyph(0), 3);
    d.show();
    // Then the seconds since midnight with one decimal: the last four characters.
    QTRY_COMPARE(u.SegBox1->SegValue(), QStringLiteral("45296.1"));
    QCOMPARE(QList<int>({u.SegBox1->cellGlyph(0), u.SegBox1->cellGlyph(1), u.SegBox1->cellGlyph(2),
                         u.SegBox1->cellGlyph(3)}),
             QList<int>({9, 6, 10, 1}));
    env->clock.set(45001, 59.96f);
    QTRY_COMPARE(u.SegBox1->SegValue(), QStringLiteral("60.0"));
}

void TestFOption::listsSetsAndPreviewsTheChosenOne()
{
    fOption *d = open();
    const OptionUi u = ui(*d);
    QCOMPARE(u.cmbImgList->count(), 2);
    QCOMPARE(u.cmbImgList->item(0)->text(), QStringLiteral("red"));
    QCOMPARE(u.cmbImgList->item(1)->text(), QStringLiteral("green"));
    QCOMPARE(u.cmbImgList->currentRow(), 0);
    QVERIFY(paintedFrom(u.SegBox1, kRed));

    clickRow(u.cmbImgList, 1);
    QCOMPARE(u.cmbImgList->currentRow(), 1);
    QVERIFY(paintedFrom(u.SegBox1, kGreen));
    QCOMPARE(cellsPaintedFrom(u.SegBox1, kRed), 0);
    QVERIFY(env->dialogs.boxes.isEmpty());
    // Nothing is written before OK.
    QCOMPARE(ini(*env, "SegFont", "Selected"), QStringLiteral("1"));
}

void TestFOption::okAppliesEverythingInOrder()
{
    host->counts1 = 12;
    host->counts2 = 15;
    prepareDisplays();
    QPointer<fOption> d = open();
    const OptionUi u = ui(*d);
    QVERIFY(paintedFrom(host->seg, kRed));
    QVERIFY(paintedFrom(ui(*host->big).SegBox1, kRed));

    clickRow(u.cmbImgList, 1);
    clickOption(u.OptMsStyle[1]);
    chooseItem(u.cmbmSCount, 1);
    chooseItem(u.Combo1, 2);  // 10
    chooseItem(u.Combo2, 11); // 19
    QVERIFY(host->log.isEmpty());
    click(u.cmdOK);

    QCOMPARE(host->log, QStringList({"setFractionStyle 1 2", "setSegCounts 10 19", "SaveState"}));
    // Selected is written before the style reaches the main window, the style keys
    // before the counts, the displays have their counts before the state is saved, and
    // the dialog goes only after that.
    QCOMPARE(host->states, QStringList({"2 0 3 | 12 15 | shown", "2 1 2 | 12 15 | shown", "2 1 2 | 10 19 | shown"}));
    QCOMPARE(host->msStyle, short(1));
    QCOMPARE(host->msCount, short(2));
    QCOMPARE(ini(*env, "SegFont", "Selected"), QStringLiteral("2"));
    QCOMPARE(ini(*env, "Setting", "msStyle"), QStringLiteral("1"));
    QCOMPARE(ini(*env, "Setting", "msCount"), QStringLiteral("2"));

    // Both displays show the green set, in their new cell counts.
    QCOMPARE(host->seg->visibleCells(), 10);
    QCOMPARE(ui(*host->big).SegBox1->visibleCells(), 19);
    QVERIFY(paintedFrom(host->seg, kGreen));
    QVERIFY(paintedFrom(ui(*host->big).SegBox1, kGreen));
    QCOMPARE(host->bigCreated, 0);
    QVERIFY(env->dialogs.boxes.isEmpty());

    // Hidden at once, unloaded after.
    QVERIFY(d && !d->isVisible());
    QVERIFY(!u.Timer1->isActive());
    QTRY_VERIFY(!d);
}

void TestFOption::okMakesTheBigWindowWhenThereIsNone()
{
    QPointer<fOption> d = open();
    const OptionUi u = ui(*d);
    clickRow(u.cmbImgList, 1);
    chooseItem(u.Combo2, 5); // 13
    click(u.cmdOK);
    QCOMPARE(host->bigCreated, 1);
    QVERIFY(host->big);
    QVERIFY(!host->big->isVisible());
    QCOMPARE(ui(*host->big).SegBox1->visibleCells(), 13);
    QVERIFY(paintedFrom(ui(*host->big).SegBox1, kGreen));
}

void TestFOption::noImageSetsGiveEmptyListAndBuiltInDigits()
{
    writeFile(iniFile(), "[Setting]\nmsStyle=0\nmsCount=3\n");
    host->seg->setSegCount(QStringLiteral("14"));
    host->seg->setSegValue(QStringLiteral("0.000"));
    ui(*host->bigWindow(true)).SegBox1->setSegCount(QStringLiteral("14"));
    const QImage mainBefore = host->seg->grab().toImage();
    const QImage bigBefore = ui(*host->big).SegBox1->grab().toImage();

    QPointer<fOption> d = open();
    const OptionUi u = ui(*d);
    d->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(d));
    QCOMPARE(u.cmbImgList->count(), 0);
    QCOMPARE(u.cmbImgList->currentRow(), -1);
    QCOMPARE(u.SegBox1->grab().toImage(), builtInLook(u.SegBox1));
    QVERIFY(env->dialogs.boxes.isEmpty());

    // OK still works: nothing chosen is written as 0, the program folder alone is no
    // image file, each display says so and keeps its digits.
    click(u.cmdOK);
    QCOMPARE(ini(*env, "SegFont", "Selected"), QStringLiteral("0"));
    QCOMPARE(env->dialogs.boxes.size(), 2);
    for (const auto &box : env->dialogs.boxes) {
        QCOMPARE(box.text, QStringLiteral("未找到图片文件:") + env->appDir());
        QCOMPARE(box.title, QStringLiteral("加载字码图片失败"));
    }
    QCOMPARE(host->seg->grab().toImage(), mainBefore);
    QCOMPARE(ui(*host->big).SegBox1->grab().toImage(), bigBefore);
    QCOMPARE(host->log.last(), QStringLiteral("SaveState"));
}

void TestFOption::selectedAtLoad_data()
{
    QTest::addColumn<QString>("selected");
    QTest::addColumn<int>("row");
    QTest::newRow("second") << "2" << 1;
    QTest::newRow("rounded to the second") << "1.6" << 1;
    QTest::newRow("zero") << "0" << -1;
    QTest::newRow("past the list") << "3" << -1;
    QTest::newRow("negative") << "-1" << -1;
    QTest::newRow("not a number") << "abc" << -1;
    QTest::newRow("empty") << "" << -1;
}

void TestFOption::selectedAtLoad()
{
    QFETCH(QString, selected);
    QFETCH(int, row);
    QVERIFY(tavrik::core::WriteIni("SegFont", "Selected", selected, iniFile()));
    QPointer<fOption> d = open();
    const OptionUi u = ui(*d);
    // Taking the focus does not choose a set behind the user's back.
    d->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(d));
    QCOMPARE(u.cmbImgList->currentRow(), row);
    QVERIFY(env->dialogs.boxes.isEmpty());
    if (row == 1) {
        QVERIFY(paintedFrom(u.SegBox1, kGreen));
        return;
    }
    QCOMPARE(u.SegBox1->grab().toImage(), builtInLook(u.SegBox1));
    click(u.cmdOK);
    QCOMPARE(ini(*env, "SegFont", "Selected"), QStringLiteral("0"));
    QCOMPARE(env->dialogs.boxes.size(), 2);
}

void TestFOption::entryWithoutFile_data()
{
    QTest::addColumn<QByteArray>("entry");
    QTest::addColumn<QString>("tried");
    QTest::newRow("name only") << QByteArray("plain") << QString();
    QTest::newRow("empty file field") << QByteArray("plain,") << QString();
    QTest::newRow("missing file") << QByteArray("plain,seg/missing.png,x") << QStringLiteral("seg/missing.png");
}

void TestFOption::entryWithoutFile()
{
    QFETCH(QByteArray, entry);
    QFETCH(QString, tried);
    QVERIFY(tavrik::core::WriteIni("SegFont", "Count", "3", iniFile()));
    QVERIFY(tavrik::core::WriteIni("SegFont", "3", QString::fromUtf8(entry), iniFile()));
    prepareDisplays();
    QPointer<fOption> d = open();
    const OptionUi u = ui(*d);
    QVERIFY(paintedFrom(u.SegBox1, kRed));
    QCOMPARE(u.cmbImgList->item(2)->text(), QStringLiteral("plain"));

    clickRow(u.cmbImgList, 2);
    QCOMPARE(env->dialogs.boxes.size(), 1);
    QCOMPARE(env->dialogs.boxes[0].text, QStringLiteral("未找到图片文件:") + env->appDir() + tried);
    QCOMPARE(env->dialogs.boxes[0].title, QStringLiteral("加载字码图片失败"));
    QCOMPARE(env->dialogs.boxes[0].icon, tavrik::gui::MsgIcon::Critical);
    QVERIFY(paintedFrom(u.SegBox1, kRed));

    // OK reports it for each display; both keep the digits they had.
    click(u.cmdOK);
    QCOMPARE(ini(*env, "SegFont", "Selected"), QStringLiteral("3"));
    QCOMPARE(env->dialogs.boxes.size(), 3);
    QVERIFY(paintedFrom(host->seg, kRed));
    QVERIFY(paintedFrom(ui(*host->big).SegBox1, kRed));
}

void TestFOption::fractionStyleWritten_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("digitsItem");
    QTest::addColumn<QString>("mSStyle");
    QTest::addColumn<QString>("mSCount");
    QTest::newRow("sixtieths, two digits") << 1 << 1 << "1" << "2";
    QTest::newRow("sixtieths, one digit") << 1 << 0 << "1" << "1";
    QTest::newRow("thousandths, three digits") << 0 << 2 << "0" << "3";
    QTest::newRow("thousandths, two digits") << 0 << 1 << "0" << "2";
    QTest::newRow("thousandths, one digit") << 0 << 0 << "0" << "1";
}

void TestFOption::fractionStyleWritten()
{
    QFETCH(int, style);
    QFETCH(int, digitsItem);
    QFETCH(QString, mSStyle);
    QFETCH(QString, mSCount);
    // Start from the other style so that every choice is a change.
    QVERIFY(tavrik::core::WriteIni("Setting", "msStyle", style ? "0" : "1", iniFile()));
    QVERIFY(tavrik::core::WriteIni("Setting", "msCount", digitsItem == 0 ? "2" : "1", iniFile()));
    fOption *d = open();
    const OptionUi u = ui(*d);
    clickOption(u.OptMsStyle[style]);
    QVERIFY(u.OptMsStyle[style]->isChecked());
    chooseItem(u.cmbmSCount, digitsItem);
    QCOMPARE(u.cmbmSCount->currentIndex(), digitsItem);
    click(u.cmdOK);

    QCOMPARE(host->log.first(), QStringLiteral("setFractionStyle %1 %2").arg(mSStyle, mSCount));
    QCOMPARE(ini(*env, "Setting", "mSStyle"), mSStyle);
    QCOMPARE(ini(*env, "Setting", "mSCount"), mSCount);
    // One entry each: the keys match the ones start-up reads, whatever their case.
    const QByteArray text = readFile(iniFile()).toLower();
    QCOMPARE(text.count("msstyle="), 1);
    QCOMPARE(text.count("mscount="), 1);
}

void TestFOption::fractionStyleAtLoad_data()
{
    QTest::addColumn<QByteArray>("setting");
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("digitsItem");
    QTest::newRow("no keys") << QByteArray() << 0 << 2;
    QTest::newRow("thousandths, 3") << QByteArray("msStyle=0\nmsCount=3\n") << 0 << 2;
    QTest::newRow("thousandths, 1") << QByteArray("msStyle=0\nmsCount=1\n") << 0 << 0;
    QTest::newRow("sixtieths, 2") << QByteArray("mSStyle=1\nmSCount=2\n") << 1 << 1;
    QTest::newRow("sixtieths, 1") << QByteArray("msStyle=1\nmsCount=1\n") << 1 << 0;
    QTest::newRow("sixtieths, 3 shows 2") << QByteArray("msStyle=1\nmsCount=3\n") << 1 << 1;
    QTest::newRow("any other style is sixtieths") << QByteArray("msStyle=2\nmsCount=1\n") << 1 << 0;
    QTest::newRow("no digits shows 1") << QByteArray("msStyle=0\nmsCount=0\n") << 0 << 0;
    QTest::newRow("nine digits shows 3") << QByteArray("msStyle=0\nmsCount=9\n") << 0 << 2;
    QTest::newRow("text") << QByteArray("msStyle=abc\nmsCount=abc\n") << 0 << 0;
}

void TestFOption::fractionStyleAtLoad()
{
    QFETCH(QByteArray, setting);
    QFETCH(int, style);
    QFETCH(int, digitsItem);
    writeFile(iniFile(), "[SegFont]\nCount=2\n1=red,seg/red.png\n2=green,seg/green.png\nSelected=1\n[Setting]\n" + setting);
    fOption *d = open();
    const OptionUi u = ui(*d);
    QVERIFY(u.OptMsStyle[style]->isChecked());
    QVERIFY(!u.OptMsStyle[1 - style]->isChecked());
    QCOMPARE(u.cmbmSCount->currentIndex(), digitsItem);
    QCOMPARE(itemEnabled(u.cmbmSCount, 2), style == 0);
}

void TestFOption::sixtiethsOfferTwoDigitsAtMost()
{
    fOption *d = open();
    const OptionUi u = ui(*d);
    QVERIFY(u.OptMsStyle[0]->isChecked());
    QCOMPARE(u.cmbmSCount->currentIndex(), 2);
    QVERIFY(itemEnabled(u.cmbmSCount, 2));

    // Sixtieths with three digits chosen: the choice moves to two, three is not offered.
    clickOption(u.OptMsStyle[1]);
    QVERIFY(u.OptMsStyle[1]->isChecked());
    QCOMPARE(u.cmbmSCount->currentIndex(), 1);
    QCOMPARE(u.cmbmSCount->currentText(), QStringLiteral("2位"));
    QVERIFY(!itemEnabled(u.cmbmSCount, 2));
    chooseItem(u.cmbmSCount, 2);
    QCOMPARE(u.cmbmSCount->currentIndex(), 1);
    u.cmbmSCount->setFocus();
    QTest::keyClick(u.cmbmSCount, Qt::Key_Down);
    QCOMPARE(u.cmbmSCount->currentIndex(), 1);

    // Back to thousandths: three is offered again, the choice stays where it is.
    clickOption(u.OptMsStyle[0]);
    QVERIFY(itemEnabled(u.cmbmSCount, 2));
    QCOMPARE(u.cmbmSCount->currentIndex(), 1);
    chooseItem(u.cmbmSCount, 2);
    QCOMPARE(u.cmbmSCount->currentIndex(), 2);

    // One digit is kept when switching to sixtieths.
    chooseItem(u.cmbmSCount, 0);
    clickOption(u.OptMsStyle[1]);
    QCOMPARE(u.cmbmSCount->currentIndex(), 0);
    click(u.cmdOK);
    QCOMPARE(ini(*env, "Setting", "mSStyle"), QStringLiteral("1"));
    QCOMPARE(ini(*env, "Setting", "mSCount"), QStringLiteral("1"));
}

void TestFOption::segCountsAtLoad_data()
{
    QTest::addColumn<int>("cells1");
    QTest::addColumn<int>("cells2");
    QTest::addColumn<QString>("text1");
    QTest::addColumn<QString>("text2");
    QTest::addColumn<int>("applied1");
    QTest::addColumn<int>("applied2");
    QTest::newRow("recommended") << 14 << 14 << "14(推荐)" << "14(推荐)" << 14 << 14;
    QTest::newRow("ends of the lists") << 8 << 19 << "8" << "19" << 8 << 19;
    QTest::newRow("inside") << 13 << 9 << "13" << "9" << 13 << 9;
    QTest::newRow("twenty from the big window's menu") << 20 << 20 << "19" << "19" << 19 << 19;
    QTest::newRow("too few") << 5 << 0 << "8" << "8" << 8 << 8;
    QTest::newRow("far outside") << -3 << 32767 << "8" << "19" << 8 << 19;
}

void TestFOption::segCountsAtLoad()
{
    QFETCH(int, cells1);
    QFETCH(int, cells2);
    QFETCH(QString, text1);
    QFETCH(QString, text2);
    QFETCH(int, applied1);
    QFETCH(int, applied2);
    host->counts1 = short(cells1);
    host->counts2 = short(cells2);
    fOption *d = open();
    const OptionUi u = ui(*d);
    QCOMPARE(u.Combo1->currentText(), text1);
    QCOMPARE(u.Combo2->currentText(), text2);
    click(u.cmdOK);
    QCOMPARE(host->log.at(1), QStringLiteral("setSegCounts %1 %2").arg(applied1).arg(applied2));
    QCOMPARE(host->seg->visibleCells(), applied1);
    QCOMPARE(ui(*host->big).SegBox1->visibleCells(), applied2);
}

void TestFOption::cancelHidesAndKeepsTheChoices()
{
    prepareDisplays();
    QPointer<fOption> d = open();
    const OptionUi u = ui(*d);
    clickRow(u.cmbImgList, 1);
    clickOption(u.OptMsStyle[1]);
    chooseItem(u.cmbmSCount, 0);
    chooseItem(u.Combo1, 0);
    chooseItem(u.Combo2, 11);
    const QByteArray before = readFile(iniFile());
    const int saves = env->store.saveCalls;

    click(u.cmdCancel);
    QVERIFY(!d->isVisible());
    QTest::qWait(0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(d);
    // Hidden, its preview clock stops; it ticks again when the dialog shows.
    QVERIFY(!u.Timer1->isActive());
    QVERIFY(host->log.isEmpty());
    QCOMPARE(readFile(iniFile()), before);
    QCOMPARE(env->store.saveCalls, saves);
    QCOMPARE(host->seg->visibleCells(), 14);
    QVERIFY(paintedFrom(host->seg, kRed));
    QVERIFY(paintedFrom(ui(*host->big).SegBox1, kRed));

    d->show();
    QVERIFY(u.Timer1->isActive());
    QCOMPARE(u.cmbImgList->currentRow(), 1);
    QVERIFY(u.OptMsStyle[1]->isChecked());
    QCOMPARE(u.cmbmSCount->currentIndex(), 0);
    QCOMPARE(u.Combo1->currentText(), QStringLiteral("8"));
    QCOMPARE(u.Combo2->currentText(), QStringLiteral("19"));
    QVERIFY(paintedFrom(u.SegBox1, kGreen));
}

void TestFOption::escapeCancelsAndCloseUnloads()
{
    QPointer<fOption> d = open();
    d->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(d));
    QWidget *focus = QApplication::focusWidget();
    QVERIFY(focus && focus->window() == d);
    QTest::keyClick(focus, Qt::Key_Escape);
    QVERIFY(!d->isVisible());
    QTest::qWait(0);
    QVERIFY(d);

    d->show();
    QVERIFY(d->close());
    QTRY_VERIFY(!d);
    QVERIFY(host->log.isEmpty());
    QCOMPARE(readFile(iniFile()), kTwoSets);
}

TAVRIK_TEST_MAIN(TestFOption)
#include "tst_foption.moc"
