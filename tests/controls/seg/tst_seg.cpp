#include "tests/support/fakes.h"
#include "controls/seg/seg.h"
#include "tests/controls/seg/segreader.h"
#include "tests/support/testmain.h"

#include <QtTest>

using namespace vexo3;

using Glyphs = QList<int>;

namespace {


QImage builtInDigits() { return QImage(QStringLiteral(":/tavrik/digits.png")); }

QImage shot(Seg &s) { return s.grab().toImage().convertToFormat(QImage::Format_RGB32); }

QString shown(Seg &s, const QImage &picture = builtInDigits())
{
    return segtest::readDisplay(shot(s), s, picture);
}

} // namespace

class TestSeg : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void creation();
    void shows_data();
    void shows();
    void segCount_data();
    void segCount();
    void layoutInTwips();
    void resizeKeepsCharacters();
    void loadMissingFile_data();
    void loadMissingFile();
    void loadNotAnImage_data();
    void loadNotAnImage();
    void loadOtherSet();
    void clicks_data();
    void clicks();
    void valueWritesKeepScaledPictures();
    void repaintsOnlyChangedCells();
    void rapidWritesCoalesce();
    void properties_data();
    void properties();

private:
    std::unique_ptr<testing::TestEnv> env_;
    std::unique_ptr<Seg> seg_;
    Seg &shownSeg(QSize size = QSize(320, 40));
};

void TestSeg::init()
{
    seg_.reset();
    // Fakes are installed over whatever was there: the old ones must go first.
    env_.reset();
    env_ = std::make_unique<testing::TestEnv>();
}

Seg &TestSeg::shownSeg(QSize size)
{
    seg_ = std::make_unique<Seg>();
    seg_->resize(size);
    seg_->move(40, 40);
    seg_->show();
    if (!QTest::qWaitForWindowExposed(seg_.get()))
        qFatal("display not exposed");
    return *seg_;
}

void TestSeg::creation()
{
    Seg &s = shownSeg();
    QCOMPARE(s.SegValue(), QStringLiteral("0"));
    QCOMPARE(s.SegCount(), QStringLiteral("8"));
    QCOMPARE(shown(s), QStringLiteral("       0"));
    // Unused cells keep the "8" they were created with.
    for (int i = 8; i <= 20; ++i)
        QCOMPARE(s.cellGlyph(i), 8);
    QCOMPARE(s.cellGlyph(21), -1);
    // Black where no cell lies.
    const QImage img = shot(s);
    QCOMPARE(img.pixel(img.width() - 1, img.height() / 2), qRgb(0, 0, 0));
}

void TestSeg::shows_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("count");
    QTest::addColumn<Glyphs>("glyphs");
    QTest::addColumn<QString>("read");
    QTest::newRow("12.5 in 8") << "12.5" << "8" << Glyphs{11, 11, 11, 11, 1, 2, 10, 5} << "    12.5";
    QTest::newRow("123456 in 4") << "123456" << "4" << Glyphs{3, 4, 5, 6} << "3456";
    QTest::newRow("empty") << "" << "6" << Glyphs{11, 11, 11, 11, 11, 11} << "      ";
    QTest::newRow("AbC") << "AbC" << "6" << Glyphs{11, 11, 11, 13, 14, 15} << "   Abc";
    QTest::newRow("x and #") << "1x#2" << "4" << Glyphs{1, 11, 11, 2} << "1  2";
    QTest::newRow("date") << "2009-03-15" << "10" << Glyphs{2, 0, 0, 9, 12, 0, 3, 12, 1, 5} << "2009-03-15";
    QTest::newRow("letters") << "dEFGHL" << "6" << Glyphs{16, 17, 18, 19, 20, 21} << "dEFGHL";
    // The built-in picture has no colon: its place is blank.
    QTest::newRow("hours") << "0:01:23.457" << "11" << Glyphs{0, 22, 0, 1, 22, 2, 3, 10, 4, 5, 7} << "0 01 23.457";
}

void TestSeg::shows()
{
    QFETCH(QString, value);
    QFETCH(QString, count);
    QFETCH(Glyphs, glyphs);
    QFETCH(QString, read);
    Seg &s = shownSeg(QSize(400, 50));
    s.setSegCount(count);
    s.setSegValue(value);
    QCOMPARE(s.SegValue(), value);
    Glyphs got;
    for (int i = 0; i < s.visibleCells(); ++i)
        got.append(s.cellGlyph(i));
    QCOMPARE(got, glyphs);
    QCOMPARE(shown(s), read);
}

void TestSeg::segCount_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("cells");
    QTest::newRow("7.5 ties to even") << "7.5" << 8;
    QTest::newRow("8.5 ties to even") << "8.5" << 8;
    QTest::newRow("no number") << "abc" << 1;
    QTest::newRow("above 20") << "25" << 20;
    QTest::newRow("zero") << "0" << 1;
    QTest::newRow("negative") << "-3" << 1;
    QTest::newRow("leading number") << " 12 cells" << 12;
    QTest::newRow("beyond 16 bits") << "99999" << 20;
    QTest::newRow("huge") << "1e400" << 20;
}

void TestSeg::segCount()
{
    QFETCH(QString, text);
    QFETCH(int, cells);
    Seg &s = shownSeg(QSize(600, 40));
    s.setSegValue("123456789012345678901234");
    s.setSegCount(text);
    QCOMPARE(s.SegCount(), QString::number(cells));
    QCOMPARE(s.visibleCells(), cells);
    QVERIFY(!s.cellRectTwips(cells - 1).isEmpty());
    QVERIFY(s.cellRectTwips(cells).isEmpty());
    QCOMPARE(shown(s), QStringLiteral("123456789012345678901234").right(cells));
}

void TestSeg::layoutInTwips()
{
    Seg &s = shownSeg(QSize(320, 40)); // 4800 x 600 twips
    s.setSegCount("8");
    struct Span { int cell; double left, right; };
    for (const Span &sp : {Span{0, 1, 631}, Span{1, 616, 1216}, Span{2, 1201, 1801}, Span{3, 1786, 2386},
                           Span{7, 4126, 4726}}) {
        const QRectF r = s.cellRectTwips(sp.cell);
        QCOMPARE(r.left(), sp.left);
        QCOMPARE(r.right(), sp.right);
        QCOMPARE(r.top(), 1.0);
        QCOMPARE(r.height(), 600.0);
    }
    // Painted at 15 twips to the pixel: cell 7 from pixel 275 to 315, then background.
    s.setSegValue("88888888");
    const QImage img = shot(s);
    const QRect last = segtest::paintedCell(s, 7);
    QCOMPARE(last, QRect(275, 0, 40, 40));
    for (int x = 315; x < 320; ++x)
        for (int y = 0; y < 40; ++y)
            QCOMPARE(img.pixel(x, y), qRgb(0, 0, 0));
}

void TestSeg::resizeKeepsCharacters()
{
    Seg &s = shownSeg(QSize(240, 30));
    s.setSegValue("-12.34");
    QCOMPARE(shown(s), QStringLiteral("  -12.34"));
    s.resize(560, 90);
    QTRY_COMPARE(s.size(), QSize(560, 90));
    QCOMPARE(s.SegValue(), QStringLiteral("-12.34"));
    QCOMPARE(segtest::paintedCell(s, 7).size(), QSize(70, 90));
    QCOMPARE(shown(s), QStringLiteral("  -12.34"));
    s.resize(120, 20);
    QCOMPARE(shown(s), QStringLiteral("  -12.34"));
}

void TestSeg::loadMissingFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("no such folder") << "/no/such/folder/digits.png";
    QTest::newRow("relative") << "seg/missing.png";
    QTest::newRow("empty") << "";
    QTest::newRow("a folder") << QDir::tempPath();
}

void TestSeg::loadMissingFile()
{
    QFETCH(QString, path);
    Seg &s = shownSeg();
    s.setSegValue("1234.5");
    const QImage before = shot(s);
    QString error;
    QVERIFY(!s.LoadSegImageFile(path, &error));
    QCOMPARE(error, QStringLiteral("未找到图片文件:") + path);
    // The control only reports; the window that asked shows the box.
    QCOMPARE(env_->dialogs.boxes.size(), 0);
    s.Refresh();
    QCOMPARE(shot(s), before);
}

void TestSeg::loadNotAnImage_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("name");
    QTest::newRow("text as png") << QByteArray("not a picture\n") << "text.png";
    QTest::newRow("text as bmp") << QByteArray("BM but nothing else") << "text.bmp";
    QTest::newRow("no suffix") << QByteArray(300, 'x') << "digits";
    QFile red(kResources + "/seg/red.png");
    if (!red.open(QIODevice::ReadOnly))
        qFatal("no red.png");
    QTest::newRow("cut-off png") << red.read(60) << "cut.png";
}

void TestSeg::loadNotAnImage()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, name);
    const QString path = env_->tempDir() + "/" + name;
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();

    Seg &s = shownSeg();
    s.setSegValue("1234.5");
    const QImage before = shot(s);
    QString error;
    QVERIFY(!s.LoadSegImageFile(path, &error));
    QVERIFY2(!error.isEmpty() && !error.contains(QStringLiteral("未找到")), qPrintable(error));
    QCOMPARE(env_->dialogs.boxes.size(), 0);
    s.Refresh();
    QCOMPARE(shot(s), before);
}

void TestSeg::loadOtherSet()
{
    Seg &s = shownSeg(QSize(400, 60));
    s.setSegCount("10");
    s.setSegValue("12:34.5");
    const QImage before = shot(s);
    const QString amber = kResources + "/seg/amber.png";
    QVERIFY(s.LoadSegImageFile(amber));
    QVERIFY(env_->dialogs.boxes.isEmpty());
    // Loading draws nothing; the next value write shows the new cells, even the same value.
    QCOMPARE(shot(s), before);
    s.setSegValue("12:34.5");
    const QImage after = shot(s);
    QVERIFY(after != before);
    QCOMPARE(segtest::readDisplay(after, s, QImage(amber)), QStringLiteral("   12:34.5"));
    // The amber set has a colon; the built-in one does not.
    QCOMPARE(segtest::readDisplay(before, s, builtInDigits()), QStringLiteral("   12 34.5"));

    // Any format the reader knows.
    const QString bmp = env_->tempDir() + "/green.bmp";
    QVERIFY(QImage(kResources + "/seg/green.png").save(bmp, "BMP"));
    QVERIFY(s.LoadSegImageFile(bmp));
    s.RefreshValue();
    // This set leaves the colon's place black, unlike its blank with unlit segments.
    QCOMPARE(shown(s, QImage(bmp)), QStringLiteral("   12:34.5"));
    QCOMPARE(s.cellGlyph(5), seg::kGlyphColon);
    QVERIFY(shot(s) != after);
}

void TestSeg::clicks_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<bool>("left");
    QTest::addColumn<int>("shift");
    QTest::addColumn<QPointF>("twips");
    // 320 x 40 pixels, 8 cells: cell 1 spans 616..1216 twips, cell 0 1..631.
    QTest::newRow("left in cell 1") << Qt::LeftButton << Qt::KeyboardModifiers() << QPoint(50, 10) << true << 0
                                    << QPointF(750 - 616, 150 - 1);
    QTest::newRow("right with shift") << Qt::RightButton << Qt::KeyboardModifiers(Qt::ShiftModifier) << QPoint(50, 10)
                                      << false << 1 << QPointF(134, 149);
    QTest::newRow("middle is right") << Qt::MiddleButton << Qt::KeyboardModifiers(Qt::ControlModifier)
                                     << QPoint(300, 39) << false << 2 << QPointF(4500 - 4126, 585 - 1);
    QTest::newRow("ctrl alt") << Qt::LeftButton << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::AltModifier)
                              << QPoint(10, 20) << true << 6 << QPointF(150 - 1, 300 - 1);
    // Where two cells overlap, the later one lies on top.
    QTest::newRow("overlap") << Qt::LeftButton << Qt::KeyboardModifiers() << QPoint(41, 5) << true << 0
                             << QPointF(615 - 1, 75 - 1);
    QTest::newRow("overlap, next column") << Qt::LeftButton << Qt::KeyboardModifiers() << QPoint(42, 5) << true
                                          << 0 << QPointF(630 - 616, 75 - 1);
    // Right of the last cell: the control's own background.
    QTest::newRow("background") << Qt::LeftButton << Qt::KeyboardModifiers(Qt::ShiftModifier) << QPoint(318, 5)
                                << true << 1 << QPointF(4770, 75);
    // Left of the first cell, which starts 1 twip in.
    QTest::newRow("left edge") << Qt::RightButton << Qt::KeyboardModifiers() << QPoint(0, 1) << false << 0
                               << QPointF(0, 15);
}

void TestSeg::clicks()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QPoint, at);
    QFETCH(bool, left);
    QFETCH(int, shift);
    QFETCH(QPointF, twips);

    Seg &s = shownSeg(QSize(320, 40));
    QSignalSpy leftSpy(&s, &Seg::LeftClick);
    QSignalSpy rightSpy(&s, &Seg::RightClick);
    QTest::mousePress(&s, button, modifiers, at);
    QCOMPARE(leftSpy.size() + rightSpy.size(), 0);
    QTest::mouseRelease(&s, button, modifiers, at);
    QCOMPARE(leftSpy.size(), left ? 1 : 0);
    QCOMPARE(rightSpy.size(), left ? 0 : 1);
    const QList<QVariant> args = left ? leftSpy.first() : rightSpy.first();
    QCOMPARE(args.at(0).toInt(), shift);
    QCOMPARE(args.at(1).toFloat(), float(twips.x()));
    QCOMPARE(args.at(2).toFloat(), float(twips.y()));
}

void TestSeg::valueWritesKeepScaledPictures()
{
    Seg &s = shownSeg(QSize(640, 120));
    s.setSegCount("14");
    shot(s);
    const int builds = s.scaledPictureBuilds();
    QVERIFY(builds > 0);
    for (int i = 0; i < 200; ++i) {
        s.setSegValue(QString::number(i * 7.013, 'f', 3) + (i % 2 ? "-AbC:" : "dEFGHL"));
        if (i % 50 == 0)
            QTest::qWait(20);
    }
    QCOMPARE(shown(s), QStringLiteral(" 1395.587-Abc "));
    QCOMPARE(s.scaledPictureBuilds(), builds);

    // A new size or a new picture makes them again, once.
    s.resize(700, 100);
    shot(s);
    const int afterResize = s.scaledPictureBuilds();
    QVERIFY(afterResize > builds);
    shot(s);
    QCOMPARE(s.scaledPictureBuilds(), afterResize);
    QVERIFY(s.LoadSegImageFile(kResources + "/seg/blue.png"));
    shot(s);
    QCOMPARE(s.scaledPictureBuilds(), afterResize);
    s.setSegValue("1");
    shot(s);
    QVERIFY(s.scaledPictureBuilds() > afterResize);
}

void TestSeg::repaintsOnlyChangedCells()
{
    Seg &s = shownSeg(QSize(320, 40));
    s.setSegValue("1234.567");
    segtest::settle(s);
    segtest::PaintLog log(&s);

    // The same value again: nothing to do. No frame is held back, and a one-pixel
    // repaint comes alone.
    s.setSegValue("1234.567");
    QVERIFY(!segtest::repaintTimer(s)->isActive());
    s.update(QRect(0, 0, 1, 1));
    QTRY_COMPARE(log.regions.size(), 1);
    QCOMPARE(log.regions[0], QRegion(0, 0, 1, 1));
    log.regions.clear();

    // One character changed: only its cell is repainted.
    s.setSegValue("1234.568");
    QTRY_VERIFY(!log.regions.isEmpty());
    segtest::settle(s);
    QRegion painted;
    for (const QRegion &r : log.regions)
        painted += r;
    QVERIFY(painted.contains(segtest::paintedCell(s, 7)));
    QVERIFY(!painted.intersects(segtest::paintedCell(s, 5)));
    QCOMPARE(shown(s), QStringLiteral("1234.568"));
    // Two cells apart, drawn a rectangle of the repaint at a time: the window shows both.
    segtest::settle(s);
    log.regions.clear();
    s.setSegValue("1934.560");
    QTRY_VERIFY(!log.regions.isEmpty());
    QCOMPARE(log.regions.first().rectCount(), 2);
    QTRY_COMPARE(segtest::readDisplay(s.screen()->grabWindow(s.winId()).toImage(), s, builtInDigits()),
                 QStringLiteral("1934.560"));
}

void TestSeg::rapidWritesCoalesce()
{
    Seg &s = shownSeg(QSize(320, 40));
    segtest::settle(s);
    segtest::PaintLog log(&s);
    for (int i = 0; i < 150; ++i) {
        s.setSegValue(QString::number(1000 + i));
        QTest::qWait(1);
    }
    // The last value is what the window shows, not only what grab() renders.
    QTRY_COMPARE(segtest::readDisplay(s.screen()->grabWindow(s.winId()).toImage(), s, builtInDigits()),
                 QStringLiteral("    1149"));
    // Writes came about once a millisecond; the screen got one frame per display
    // refresh at most: no two paints less than a frame (16 ms, less a millisecond of
    // timer rounding) apart. A slow machine only spaces them further.
    QVERIFY2(log.regions.size() >= 2, qPrintable(QString::number(log.regions.size())));
    for (qsizetype i = 1; i < log.times.size(); ++i) {
        const double gapMs = double(log.times[i] - log.times[i - 1]) / 1e6;
        QVERIFY2(gapMs >= 15.0, qPrintable(QStringLiteral("paints %1 and %2 only %3 ms apart").arg(i - 1).arg(i).arg(gapMs)));
    }
}

void TestSeg::properties_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QStringList>("keys");
    QTest::newRow("defaults") << "0" << "8" << QStringList{};
    QTest::newRow("fourteen") << "0" << "14" << QStringList{"SegCount"};
    QTest::newRow("value and count") << "0123456789" << "15" << QStringList{"SegCount", "SegValue"};
    QTest::newRow("clamped count") << "-" << "40" << QStringList{"SegCount", "SegValue"};
    QTest::newRow("empty value") << "" << "1" << QStringList{"SegCount", "SegValue"};
}

void TestSeg::properties()
{
    QFETCH(QString, value);
    QFETCH(QString, count);
    QFETCH(QStringList, keys);
    Seg a;
    a.setSegCount(count);
    a.setSegValue(value);
    tavrik::controls::PropertyBag bag;
    a.writeProperties(bag);
    QCOMPARE(bag.values().keys(), keys);

    Seg b;
    b.setSegValue("junk");
    b.setSegCount("3");
    b.readProperties(bag);
    QCOMPARE(b.SegValue(), a.SegValue());
    QCOMPARE(b.SegCount(), a.SegCount());
    QCOMPARE(b.visibleCells(), a.visibleCells());
    QCOMPARE(b.cellGlyph(b.visibleCells() - 1), a.cellGlyph(a.visibleCells() - 1));
}

TAVRIK_TEST_MAIN(TestSeg)
#include "tst_seg.moc"
