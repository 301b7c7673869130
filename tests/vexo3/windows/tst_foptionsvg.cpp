#include "tests/vexo3/windows/option_fixture.h"
#include "tests/support/testmain.h"

#include <QtTest>

using namespace vexo3;
using namespace optiontest;

// Vector digit sets in the options dialog: listed, previewed and applied like bitmap
// sets, and drawn at the size of the cells they fill.
class TestFOptionSvg : public QObject {
    Q_OBJECT

    std::unique_ptr<testing::TestEnv> env;
    std::unique_ptr<FakeHost> host;

    // The black bar of the test's SVG set across a shown cell, where a person sees it:
    // at a fifth to a third of the cell's height, crisp, between rows of the cell's
    // own colour.
    static bool barDrawnSharp(Seg *s, int position)
    {
        const QImage img = s->grab().toImage();
        const QPoint centre = cellCentre(s, position);
        const QRectF t = s->cellRectTwips(position);
        const int top = tavrik::controls::px(t.top()), h = tavrik::controls::px(t.bottom()) - top;
        const QColor own = kBlueSvg.colour(s->cellGlyph(position));
        auto at = [&](double f) { return img.pixelColor(centre.x(), top + int(h * f)); };
        return at(0.12) == own && at(0.265) == QColor(Qt::black) && at(0.42) == own;
    }

private Q_SLOTS:
    void init()
    {
        env = twoSetsEnv();
        writeDigitSet(env->appDir(), kBlueSvg);
        writeFile(env->appDir() + QStringLiteral("Vexo.ini"),
                  QByteArray(kTwoSets).replace("Count=2", "Count=3").replace("Selected=1", "3=blue,seg/blue.svg\nSelected=1"));
        host = std::make_unique<FakeHost>();
    }
    void cleanup()
    {
        delete host->dialog.data();
        host.reset();
        env.reset();
    }

    void previewShowsTheSvgSet();
    void okAppliesTheSvgSet();
};

void TestFOptionSvg::previewShowsTheSvgSet()
{
    auto *d = new fOption(host.get());
    const OptionUi u = ui(*d);
    host->dialog = d;
    d->show();
    QCOMPARE(u.cmbImgList->count(), 3);
    QCOMPARE(u.cmbImgList->item(2)->text(), QStringLiteral("blue"));
    QVERIFY(paintedFrom(u.SegBox1, kRed));

    clickRow(u.cmbImgList, 2);
    QVERIFY(env->dialogs.boxes.isEmpty());
    QVERIFY(paintedFrom(u.SegBox1, kBlueSvg));
    for (int p = 0; p < u.SegBox1->visibleCells(); ++p)
        QVERIFY2(barDrawnSharp(u.SegBox1, p), qPrintable(QStringLiteral("cell %1").arg(p)));
    // The preview keeps running on it.
    env->clock.set(45001, 59.96f);
    QTRY_COMPARE(u.SegBox1->SegValue(), QStringLiteral("60.0"));
    QVERIFY(paintedFrom(u.SegBox1, kBlueSvg));

    // And back to a bitmap set.
    clickRow(u.cmbImgList, 1);
    QVERIFY(paintedFrom(u.SegBox1, kGreen));
}

void TestFOptionSvg::okAppliesTheSvgSet()
{
    host->seg->LoadSegImageFile(env->appDir() + QStringLiteral("seg/red.png"));
    host->seg->setSegValue(QStringLiteral("0.000"));
    QPointer<fOption> d = new fOption(host.get());
    const OptionUi u = ui(*d);
    host->dialog = d.data();
    d->show();
    clickRow(u.cmbImgList, 2);
    click(u.cmdOK);
    QCOMPARE(ini(*env, "SegFont", "Selected"), QStringLiteral("3"));
    QVERIFY(env->dialogs.boxes.isEmpty());
    for (Seg *s : {host->seg, ui(*host->big).SegBox1}) {
        s->setSegValue(QStringLiteral("12:34.5"));
        QVERIFY(paintedFrom(s, kBlueSvg));
        QVERIFY(barDrawnSharp(s, s->visibleCells() - 1));
    }
}

TAVRIK_TEST_MAIN(TestFOptionSvg)
#include "tst_foptionsvg.moc"
