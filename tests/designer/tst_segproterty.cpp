#include "designer/segproterty.h"
#include "controls/seg/seg.h"
#include "controls/twips.h"
#include "tests/support/fakes.h"
#include "tests/support/testmain.h"

#include <QtTest>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using tavrik::designer::SegProterty;
using tavrik::designer::SegProtertyDialog;
using tavrik::designer::SegSelection;

namespace {

// Real Seg controls as a designer would hand them over, with a log of every write.
class FakeSelection final : public SegSelection {
public:
    int count() const override { return int(segs.size()); }
    QVariant property(int index, const QString &name) const override
    {
        return segs.at(index)->property(name.toLatin1().constData());
    }
    void setProperty(int index, const QString &name, const QVariant &value) override
    {
        writes.append(QStringLiteral("%1:%2=%3").arg(index).arg(name, value.toString()));
        segs.at(index)->setProperty(name.toLatin1().constData(), value);
    }
    void beginApply(const QString &) override { writes.append(QStringLiteral("begin")); }
    void endApply() override { writes.append(QStringLiteral("end")); }

    QList<vexo3::Seg *> segs;
    QStringList writes;
};

struct Fixture {
    Fixture(int segCount = 2)
    {
        for (int i = 0; i < segCount; ++i) {
            auto *s = new vexo3::Seg(&host);
            s->setObjectName(QStringLiteral("SegBox%1").arg(i + 1));
            s->resize(240, 36);
            selection->segs.append(s);
        }
    }
    vexo3::Seg *seg(int i) { return selection->segs.at(i); }
    // A fresh page over the same controls, as when the page is opened again.
    SegProtertyDialog *open()
    {
        auto owned = std::make_unique<FakeSelection>();
        owned->segs = selection->segs;
        log = owned.get();
        dialog = std::make_unique<SegProtertyDialog>(std::move(owned));
        dialog->show();
        return dialog.get();
    }
    QLineEdit *box(const char *name) const { return dialog->findChild<QLineEdit *>(QLatin1String(name)); }

    QWidget host;
    std::unique_ptr<FakeSelection> selection = std::make_unique<FakeSelection>();
    FakeSelection *log = nullptr;
    std::unique_ptr<SegProtertyDialog> dialog;
};

QRect twipsRect(int l, int t, int w, int h)
{
    using tavrik::controls::px;
    return QRect(px(l), px(t), px(w), px(h));
}

bool hasInk(const QImage &img, int row)
{
    for (int x = 0; x < img.width(); ++x)
        if (qGray(img.pixel(x, row)) < 128)
            return true;
    return false;
}

} // namespace

class TestSegProterty : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void controls_data();
    void controls();
    void captionAndSize();
    void labelsShowWholeText();
    void tabOrder();
    void filledFromFirstSelected();
    void nothingSelected();
    void editsEnableApply_data();
    void editsEnableApply();
    void applyWritesCountThenValue_data();
    void applyWritesCountThenValue();
    void reopeningShowsClampedCount();
    void onlyFirstOfTwoChanges();
    void okAppliesAndCloses();
    void okWithoutEditsWritesNothing();
    void cancelWritesNothing();
    void newSelectionRefills();
};

void TestSegProterty::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("isLabel");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("designed");
    QTest::newRow("lblSegValue") << "lblSegValue" << true << "SegValue:" << twipsRect(90, 120, 810, 180);
    QTest::newRow("Label1") << "Label1" << true << "指定显示内容" << twipsRect(960, 120, 1080, 180);
    QTest::newRow("txtSegValue") << "txtSegValue" << false << "" << twipsRect(90, 370, 2700, 330);
    QTest::newRow("lblSegCount") << "lblSegCount" << true << "SegCount:" << twipsRect(120, 960, 810, 180);
    QTest::newRow("Label2") << "Label2" << true << "指定显示位数" << twipsRect(960, 960, 1080, 180);
    QTest::newRow("txtSegCount") << "txtSegCount" << false << "" << twipsRect(120, 1200, 2700, 330);
}

void TestSegProterty::controls()
{
    QFETCH(QString, name);
    QFETCH(bool, isLabel);
    QFETCH(QString, text);
    QFETCH(QRect, designed);
    Fixture f(0);
    f.open();
    SegProterty *page = f.dialog->page();
    QWidget *w = page->findChild<QWidget *>(name);
    QVERIFY(w);
    QCOMPARE(w->parentWidget(), page);
    if (!isLabel) {
        QVERIFY(qobject_cast<QLineEdit *>(w));
        QCOMPARE(w->geometry(), designed);
        return;
    }
    auto *l = qobject_cast<QLabel *>(w);
    QVERIFY(l);
    QCOMPARE(l->text(), text);
    // Left edge and width as designed; a taller line keeps the designed centre line.
    QCOMPARE(l->x(), designed.x());
    QCOMPARE(l->width(), designed.width());
    QVERIFY(l->height() >= designed.height());
    QVERIFY(qAbs((l->y() + l->height() / 2.0) - (designed.y() + designed.height() / 2.0)) <= 1.0);
}

void TestSegProterty::captionAndSize()
{
    Fixture f(1);
    f.open();
    QCOMPARE(f.dialog->windowTitle(), QStringLiteral("SegProterty"));
    QCOMPARE(f.dialog->page()->size(), QSize(360, 145));
    QCOMPARE(f.dialog->okButton()->text(), QStringLiteral("确定"));
    QCOMPARE(f.dialog->cancelButton()->text(), QStringLiteral("取消"));
    QCOMPARE(f.dialog->applyButton()->text(), QStringLiteral("应用(&A)"));
    // Nothing of the page lies under the buttons or outside the window.
    const QRect page = f.dialog->page()->geometry();
    QVERIFY(f.dialog->rect().contains(page));
    QPushButton *apply = f.dialog->applyButton();
    QVERIFY(!page.intersects(QRect(apply->mapTo(f.dialog.get(), QPoint(0, 0)), apply->size())));
}

void TestSegProterty::labelsShowWholeText()
{
    Fixture f(0);
    f.open();
    const QList<QLabel *> labels = f.dialog->page()->findChildren<QLabel *>();
    QCOMPARE(labels.size(), 4);
    for (QLabel *l : labels) {
        QVERIFY2(l->fontMetrics().horizontalAdvance(l->text()) <= l->width(), qPrintable(l->objectName()));
        // Painted text is neither cut at the top nor at the bottom: the edge rows are clear.
        const QImage img = l->grab().toImage();
        bool ink = false;
        for (int y = 0; y < img.height(); ++y)
            ink = ink || hasInk(img, y);
        QVERIFY2(ink, qPrintable(l->objectName()));
        QVERIFY2(!hasInk(img, 0) && !hasInk(img, img.height() - 1), qPrintable(l->objectName()));
    }
    // No two controls of the page overlap.
    const QList<QWidget *> all = f.dialog->page()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (int i = 0; i < all.size(); ++i)
        for (int j = i + 1; j < all.size(); ++j)
            QVERIFY2(!all[i]->geometry().intersects(all[j]->geometry()),
                     qPrintable(all[i]->objectName() + " / " + all[j]->objectName()));
}

void TestSegProterty::tabOrder()
{
    Fixture f(1);
    f.open();
    QVERIFY(QTest::qWaitForWindowActive(f.dialog.get()));
    f.box("txtSegValue")->setFocus();
    QTRY_VERIFY(f.box("txtSegValue")->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTRY_VERIFY(f.box("txtSegCount")->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QTRY_VERIFY(f.box("txtSegValue")->hasFocus());
}

void TestSegProterty::filledFromFirstSelected()
{
    Fixture f;
    f.seg(0)->setSegValue(QStringLiteral("12.5"));
    f.seg(0)->setSegCount(QStringLiteral("6"));
    f.seg(1)->setSegValue(QStringLiteral("99"));
    f.seg(1)->setSegCount(QStringLiteral("3"));
    f.open();
    QCOMPARE(f.box("txtSegValue")->text(), QStringLiteral("12.5"));
    QCOMPARE(f.box("txtSegCount")->text(), QStringLiteral("6"));
    QVERIFY(!f.dialog->page()->Changed());
    QVERIFY(!f.dialog->applyButton()->isEnabled());
}

void TestSegProterty::nothingSelected()
{
    Fixture f(0);
    f.open();
    QVERIFY(f.box("txtSegValue")->text().isEmpty());
    QVERIFY(!f.box("txtSegValue")->isEnabled());
    QVERIFY(!f.box("txtSegCount")->isEnabled());
    f.dialog->page()->PropertyPage_ApplyChanges();
    QVERIFY(f.log->writes.isEmpty());
}

void TestSegProterty::editsEnableApply_data()
{
    QTest::addColumn<QString>("box");
    QTest::newRow("value") << "txtSegValue";
    QTest::newRow("count") << "txtSegCount";
}

void TestSegProterty::editsEnableApply()
{
    QFETCH(QString, box);
    Fixture f(1);
    f.open();
    QVERIFY(!f.dialog->applyButton()->isEnabled());
    QLineEdit *edit = f.box(box.toLatin1().constData());
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClicks(edit, QStringLiteral("7"));
    QVERIFY(f.dialog->page()->Changed());
    QVERIFY(f.dialog->applyButton()->isEnabled());
    QTest::mouseClick(f.dialog->applyButton(), Qt::LeftButton);
    QVERIFY(!f.dialog->page()->Changed());
    QVERIFY(!f.dialog->applyButton()->isEnabled());
    QVERIFY(f.dialog->isVisible());
}

void TestSegProterty::applyWritesCountThenValue_data()
{
    QTest::addColumn<QString>("countText");
    QTest::addColumn<int>("cells");
    QTest::newRow("25 gives 20") << "25" << 20;
    QTest::newRow("abc gives one") << "abc" << 1;
    QTest::newRow("0 gives one") << "0" << 1;
    QTest::newRow("-3 gives one") << "-3" << 1;
    QTest::newRow("7.5 rounds to 8") << "7.5" << 8;
    QTest::newRow("12 as it is") << "12" << 12;
}

void TestSegProterty::applyWritesCountThenValue()
{
    QFETCH(QString, countText);
    QFETCH(int, cells);
    Fixture f(1);
    f.open();
    testing::retype(f.box("txtSegCount"), countText);
    testing::retype(f.box("txtSegValue"), QStringLiteral("-12.5"));
    QTest::mouseClick(f.dialog->applyButton(), Qt::LeftButton);

    QCOMPARE(f.log->writes, QStringList({QStringLiteral("begin"), QStringLiteral("0:SegCount=") + countText,
                                         QStringLiteral("0:SegValue=-12.5"), QStringLiteral("end")}));
    QCOMPARE(f.seg(0)->visibleCells(), cells);
    QCOMPARE(f.seg(0)->SegValue(), QStringLiteral("-12.5"));
    // The page shows what the control holds now.
    QCOMPARE(f.box("txtSegCount")->text(), QString::number(cells));
}

void TestSegProterty::reopeningShowsClampedCount()
{
    Fixture f(1);
    f.open();
    testing::retype(f.box("txtSegCount"), QStringLiteral("25"));
    QTest::mouseClick(f.dialog->okButton(), Qt::LeftButton);
    QCOMPARE(f.seg(0)->visibleCells(), 20);
    f.open();
    QCOMPARE(f.box("txtSegCount")->text(), QStringLiteral("20"));
}

void TestSegProterty::onlyFirstOfTwoChanges()
{
    Fixture f;
    f.seg(1)->setSegValue(QStringLiteral("88"));
    f.seg(1)->setSegCount(QStringLiteral("4"));
    f.open();
    testing::retype(f.box("txtSegValue"), QStringLiteral("321"));
    testing::retype(f.box("txtSegCount"), QStringLiteral("5"));
    QTest::mouseClick(f.dialog->applyButton(), Qt::LeftButton);
    QCOMPARE(f.seg(0)->SegValue(), QStringLiteral("321"));
    QCOMPARE(f.seg(0)->visibleCells(), 5);
    QCOMPARE(f.seg(1)->SegValue(), QStringLiteral("88"));
    QCOMPARE(f.seg(1)->visibleCells(), 4);
    for (const QString &w : std::as_const(f.log->writes))
        QVERIFY2(!w.startsWith(QStringLiteral("1:")), qPrintable(w));
}

void TestSegProterty::okAppliesAndCloses()
{
    Fixture f(1);
    f.open();
    testing::retype(f.box("txtSegValue"), QStringLiteral("2009-03-15"));
    // Enter in a box is the default button, 确定.
    QTest::keyClick(f.box("txtSegValue"), Qt::Key_Return);
    QCOMPARE(f.seg(0)->SegValue(), QStringLiteral("2009-03-15"));
    QCOMPARE(f.dialog->result(), int(QDialog::Accepted));
    QVERIFY(!f.dialog->isVisible());
}

void TestSegProterty::okWithoutEditsWritesNothing()
{
    Fixture f(1);
    f.open();
    QTest::mouseClick(f.dialog->okButton(), Qt::LeftButton);
    QVERIFY(f.log->writes.isEmpty());
    QVERIFY(!f.dialog->isVisible());
}

void TestSegProterty::cancelWritesNothing()
{
    Fixture f(1);
    f.open();
    testing::retype(f.box("txtSegValue"), QStringLiteral("777"));
    QTest::mouseClick(f.dialog->cancelButton(), Qt::LeftButton);
    QVERIFY(f.log->writes.isEmpty());
    QCOMPARE(f.seg(0)->SegValue(), QStringLiteral("0"));
    QCOMPARE(f.dialog->result(), int(QDialog::Rejected));
}

void TestSegProterty::newSelectionRefills()
{
    Fixture f;
    f.seg(1)->setSegValue(QStringLiteral("42"));
    f.open();
    testing::retype(f.box("txtSegValue"), QStringLiteral("unapplied"));
    QVERIFY(f.dialog->applyButton()->isEnabled());
    // The designer's selection now starts with the other control.
    std::swap(f.log->segs[0], f.log->segs[1]);
    f.dialog->page()->PropertyPage_SelectionChanged();
    QCOMPARE(f.box("txtSegValue")->text(), QStringLiteral("42"));
    QVERIFY(!f.dialog->applyButton()->isEnabled());
}

TAVRIK_TEST_MAIN(TestSegProterty)
#include "tst_segproterty.moc"
