#include "tests/support/fakes.h"
#include "tests/controls/cmdbox/buttonwindow.h"
#include "tests/support/testmain.h"

using namespace vexo3;
using namespace tavrik::picture;
using namespace buttontest;

class TestCmdBox : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void nineSliceFromBuiltInFaces();
    void captionFontDrawsChinese();
    void longCaptionStaysCentred();
    void hoverAndLeave();
    void pressDragOffAndBack();
    void releaseAwayFromTheButton();
    void keysBelongToTheWindow();
    void fontSize_data();
    void fontSize();
    void hitColourWaitsForTheNextMove();
    void loadButtonImageFile();
    void properties_data();
    void properties();

private:
    Window &shown();
    std::unique_ptr<testing::TestEnv> env_;
    std::unique_ptr<Window> window_;
};

void TestCmdBox::init()
{
    env_.reset();
    env_ = std::make_unique<testing::TestEnv>();
    QCursor::setPos(0, 0);
}

void TestCmdBox::cleanup() { window_.reset(); }

Window &TestCmdBox::shown()
{
    window_ = std::make_unique<Window>();
    window_->show();
    if (!QTest::qWaitForWindowExposed(window_.get()))
        qFatal("window not exposed");
    return *window_;
}

void TestCmdBox::nineSliceFromBuiltInFaces()
{
    Window &w = shown();
    w.button->setCaption(QString());
    const QImage img = w.shot();
    const QImage src = builtInFace(0);
    QCOMPARE(img.size(), QSize(100, 30));

    // Corners 1:1, transparent corner pixels showing the window behind.
    const struct { QPoint at, from; } corners[] = {{{0, 0}, {0, 0}}, {{97, 0}, {69, 0}}, {{97, 27}, {69, 17}}, {{0, 27}, {0, 17}}};
    for (const auto &c : corners)
        for (int dy = 0; dy < 3; ++dy)
            for (int dx = 0; dx < 3; ++dx)
                QCOMPARE(img.pixel(c.at + QPoint(dx, dy)), over(src.pixel(c.from + QPoint(dx, dy)), kBackground));

    // Top and bottom edges: the frame rows across the whole width.
    for (int x = 3; x < 97; ++x)
        for (int dy = 0; dy < 3; ++dy) {
            QCOMPARE(img.pixel(x, dy), src.pixel(8, dy));
            QCOMPARE(img.pixel(x, 27 + dy), src.pixel(8, 17 + dy));
        }

    // The centre: 15 source rows stretched over 24, every one of them showing, in order.
    QList<QRgb> rows;
    for (int y = 3; y < 27; ++y) {
        const QRgb c = img.pixel(50, y);
        for (int x = 3; x < 97; ++x)
            QCOMPARE(img.pixel(x, y), c);
        if (rows.isEmpty() || rows.last() != c)
            rows.append(c);
    }
    QList<QRgb> sourceRows;
    for (int y = 3; y < 18; ++y)
        sourceRows.append(src.pixel(8, y));
    QCOMPARE(rows, sourceRows);
}

void TestCmdBox::captionFontDrawsChinese()
{
    cmdBox b;
    const QFontInfo info(b.captionFont());
    QVERIFY2(info.family() == "SimSun" || info.family() == "Noto Sans CJK SC", qPrintable(info.family()));
    QCOMPARE(b.captionFont().pointSizeF(), 10.0);
    QCOMPARE(b.FontSize(), QStringLiteral("10"));
    QVERIFY(QFontMetrics(b.captionFont()).inFont(QChar(0x5F00))); // 开
    QCOMPARE(b.Caption(), QStringLiteral("Command"));
}

void TestCmdBox::longCaptionStaysCentred()
{
    Window &w = shown();
    w.button->setGeometry(20, 20, 60, 30);
    w.button->setCaption(QStringLiteral("开始计时并且记录每一圈"));
    const QImage img = w.shot();
    auto captionColumns = [&](int from, int to) {
        int n = 0;
        for (int x = from; x < to; ++x)
            for (int y = 8; y < 22; ++y)
                if (qBlue(img.pixel(x, y)) > 150 && qRed(img.pixel(x, y)) < 120 && qGreen(img.pixel(x, y)) < 120)
                    ++n;
        return n;
    };
    // Overhanging both sides evenly: ink right at the left and the right edge.
    QVERIFY(captionColumns(0, 6) > 0);
    QVERIFY(captionColumns(54, 60) > 0);
}

void TestCmdBox::hoverAndLeave()
{
    Window &w = shown();
    cmdBox &b = *w.button;
    b.setCaption(QStringLiteral("开始"));
    QSignalSpy moves(&b, &cmdBox::MouseMove);
    QSignalSpy outs(&b, &cmdBox::MouseOut);
    const QImage normal = w.shot();
    QVERIFY(captionPixels(normal, Qt::blue) > 0);
    QCOMPARE(captionPixels(normal, Qt::red), 0);

    QCursor::setPos(w.over());
    QTRY_COMPARE(b.face(), 1);
    QVERIFY(moves.size() >= 1);
    QCOMPARE(moves.last().at(0).toInt(), 0);
    QCOMPARE(moves.last().at(2).toFloat(), 50.0f);
    QCOMPARE(moves.last().at(3).toFloat(), 15.0f);
    QCOMPARE(b.captionColor(), QColor(Qt::red));
    const QImage hot = w.shot();
    // The hot face's green inner frame, and a red caption.
    QCOMPARE(hot.pixel(1, 15), builtInFace(1).pixel(1, 10));
    QVERIFY(hot.pixel(1, 15) != normal.pixel(1, 15));
    QVERIFY(captionPixels(hot, Qt::red) > 0);
    QCOMPARE(captionPixels(hot, Qt::blue), 0);

    // Staying over it raises nothing, and nothing wakes meanwhile: the window system
    // tells of the leaving.
    QVERIFY(pollOf(b) && !pollOf(b)->isActive());
    QTest::qWait(60);
    QCOMPARE(outs.size(), 0);
    QCOMPARE(b.face(), 1);

    QCursor::setPos(w.beside());
    QTRY_COMPARE(outs.size(), 1);
    QCOMPARE(b.face(), 0);
    QCOMPARE(b.captionColor(), QColor(Qt::blue));
    QCOMPARE(w.shot(), normal);
    // The polling stops with the pointer gone.
    QVERIFY(!pollOf(b)->isActive());

    // Hidden under the pointer (a click on 开始 hides it): it is left, and shown again
    // it is not hot.
    QCursor::setPos(w.over());
    QTRY_COMPARE(b.face(), 1);
    b.hide();
    QTRY_COMPARE(outs.size(), 2);
    b.show();
    QCOMPARE(b.face(), 0);
    QCOMPARE(b.captionColor(), QColor(Qt::blue));
}

void TestCmdBox::pressDragOffAndBack()
{
    Window &w = shown();
    cmdBox &b = *w.button;
    QSignalSpy outs(&b, &cmdBox::MouseOut);
    QSignalSpy downs(&b, &cmdBox::MouseDown);
    QSignalSpy ups(&b, &cmdBox::MouseUp);
    QSignalSpy clicks(&b, &cmdBox::Click);
    const QPoint inside(50, 15);
    const QPoint outside = b.mapFromGlobal(w.beside());

    QCursor::setPos(w.over());
    QTRY_COMPARE(b.face(), 1);
    QTest::mousePress(&b, Qt::LeftButton, Qt::ShiftModifier, inside);
    QCOMPARE(b.face(), 2);
    QCOMPARE(downs.size(), 1);
    QCOMPARE(downs.first(), (QList<QVariant>{1, 1, 50.0f, 15.0f}));
    QCOMPARE(w.shot().pixel(50, 15), builtInFace(2).pixel(8, 10));

    // Dragging off: the button has the mouse, so only the polling can tell.
    QCursor::setPos(w.beside());
    QTest::mouseMove(&b, outside);
    QTRY_COMPARE(outs.size(), 1);
    QCOMPARE(b.face(), 0);
    QCOMPARE(b.captionColor(), QColor(Qt::blue));
    // Moving about outside changes nothing more, and nothing polls.
    QTest::mouseMove(&b, outside + QPoint(5, 5));
    QVERIFY(!pollOf(b)->isActive());
    QCOMPARE(outs.size(), 1);
    QCOMPARE(b.captionColor(), QColor(Qt::blue));

    // Back over the button with the button still held.
    QCursor::setPos(w.over());
    QTest::mouseMove(&b, inside);
    QCOMPARE(b.face(), 2);
    QCOMPARE(b.captionColor(), QColor(Qt::red));

    QTest::mouseRelease(&b, Qt::LeftButton, Qt::NoModifier, inside);
    QCOMPARE(b.face(), 1);
    QCOMPARE(ups.size(), 1);
    QCOMPARE(clicks.size(), 1);
    QCOMPARE(w.shot().pixel(1, 15), builtInFace(1).pixel(1, 10));
}

void TestCmdBox::releaseAwayFromTheButton()
{
    Window &w = shown();
    cmdBox &b = *w.button;
    QSignalSpy outs(&b, &cmdBox::MouseOut);
    QSignalSpy clicks(&b, &cmdBox::Click);
    QCursor::setPos(w.over());
    QTRY_COMPARE(b.face(), 1);
    QTest::mousePress(&b, Qt::LeftButton, Qt::NoModifier, QPoint(50, 15));
    QCursor::setPos(w.beside());
    QTRY_COMPARE(outs.size(), 1);
    QTest::mouseRelease(&b, Qt::LeftButton, Qt::NoModifier, b.mapFromGlobal(w.beside()));
    QCOMPARE(clicks.size(), 0);
    // Not left looking hot with the pointer elsewhere.
    QTRY_COMPARE(b.face(), 0);
    QCOMPARE(outs.size(), 2);

    // A right click is no Click.
    QCursor::setPos(w.over());
    QTRY_COMPARE(b.face(), 1);
    QTest::mouseClick(&b, Qt::RightButton, Qt::NoModifier, QPoint(50, 15));
    QCOMPARE(clicks.size(), 0);
    QTest::mouseClick(&b, Qt::LeftButton, Qt::NoModifier, QPoint(50, 15));
    QCOMPARE(clicks.size(), 1);
}

void TestCmdBox::keysBelongToTheWindow()
{
    Window &w = shown();
    cmdBox &b = *w.button;
    QSignalSpy clicks(&b, &cmdBox::Click);
    w.edit->setFocus();
    QTRY_VERIFY(w.edit->hasFocus());
    QTest::mouseClick(&b, Qt::LeftButton, Qt::NoModifier, QPoint(50, 15));
    QCOMPARE(clicks.size(), 1);
    QVERIFY(!b.hasFocus());
    QVERIFY(w.edit->hasFocus());

    w.edit->clearFocus();
    const int face = b.face();
    for (int key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter})
        QTest::keyClick(&b, Qt::Key(key));
    QCOMPARE(clicks.size(), 1);
    QCOMPARE(b.face(), face);
    QCOMPARE(w.keys, (QList<int>{Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}));
}

void TestCmdBox::fontSize_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("size");
    QTest::newRow("whole") << "12" << "12";
    QTest::newRow("leading number") << "10.5pt" << "10.5";
    QTest::newRow("no number") << "big" << "10";
    QTest::newRow("zero") << "0" << "10";
    QTest::newRow("negative") << "-4" << "10";
}

void TestCmdBox::fontSize()
{
    QFETCH(QString, text);
    QFETCH(QString, size);
    cmdBox b;
    b.setFontSize(text);
    QCOMPARE(b.FontSize(), size);
    QCOMPARE(b.captionFont().pointSizeF(), size.toDouble());
}

void TestCmdBox::hitColourWaitsForTheNextMove()
{
    Window &w = shown();
    cmdBox &b = *w.button;
    QCursor::setPos(w.over());
    QTRY_COMPARE(b.captionColor(), QColor(Qt::red));
    b.setHitFontColor(0x00FF00);
    QCOMPARE(b.captionColor(), QColor(Qt::red));
    QCursor::setPos(w.over() + QPoint(3, 0));
    QTRY_COMPARE(b.captionColor(), QColor(Qt::green));
    // The normal colour shows at once.
    b.setFontColor(0x000000);
    QCOMPARE(b.captionColor(), QColor(Qt::black));
}

void TestCmdBox::loadButtonImageFile()
{
    Window &w = shown();
    cmdBox &b = *w.button;
    const QImage before = w.shot();

    QString error;
    QVERIFY(!b.LoadButtonImageFile("/no/such/faces.bmp", &error));
    QCOMPARE(error, QStringLiteral("未找到图片文件:/no/such/faces.bmp"));

    const QString text = env_->tempDir() + "/faces.png";
    QFile f(text);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("no picture here");
    f.close();
    error.clear();
    QVERIFY(!b.LoadButtonImageFile(text, &error));
    QVERIFY(!error.isEmpty());
    b.resize(100, 30);
    QCOMPARE(w.shot(), before);

    // Four solid faces, 30 x 24 each.
    QImage faces(30, 96, QImage::Format_RGB32);
    const QRgb colours[] = {qRgb(10, 20, 30), qRgb(40, 200, 40), qRgb(200, 40, 40), qRgb(90, 90, 90)};
    for (int i = 0; i < 4; ++i)
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 30; ++x)
                faces.setPixel(x, i * 24 + y, colours[i]);
    const QString bmp = env_->tempDir() + "/faces.bmp";
    QVERIFY(faces.save(bmp, "BMP"));
    QVERIFY(b.LoadButtonImageFile(bmp));
    // The control reports failures; it never opens a box itself.
    QCOMPARE(env_->dialogs.boxes.size(), 0);
    // Nothing repaints until the face changes.
    b.update();
    QCOMPARE(w.shot().pixel(50, 2), before.pixel(50, 2));
    QCursor::setPos(w.over());
    QTRY_COMPARE(b.face(), 1);
    QCOMPARE(w.shot().pixel(50, 2), colours[1]);
    QCOMPARE(w.shot().pixel(1, 28), colours[1]);
}

void TestCmdBox::properties_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("size");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<quint32>("colour");
    QTest::addColumn<quint32>("hit");
    QTest::addColumn<QStringList>("keys");
    QTest::newRow("defaults") << "Command" << "10" << false << 0xFF0000u << 0x0000FFu << QStringList{};
    QTest::newRow("caption") << "开始" << "10" << false << 0xFF0000u << 0x0000FFu << QStringList{"Caption"};
    QTest::newRow("empty caption") << "" << "10" << false << 0xFF0000u << 0x0000FFu << QStringList{"Caption"};
    QTest::newRow("everything") << "记录" << "14" << true << 0x123456u << 0xFFFFFFu
                                << QStringList{"Caption", "FontBold", "FontColor", "FontSize", "HitFontColor"};
    QTest::newRow("fraction size, black") << "Command" << "9.75" << false << 0u << 0x0000FFu
                                          << QStringList{"FontColor", "FontSize"};
}

void TestCmdBox::properties()
{
    QFETCH(QString, caption);
    QFETCH(QString, size);
    QFETCH(bool, bold);
    QFETCH(quint32, colour);
    QFETCH(quint32, hit);
    QFETCH(QStringList, keys);
    cmdBox a;
    a.setCaption(caption);
    a.setFontSize(size);
    a.setFontBold(bold);
    a.setFontColor(colour);
    a.setHitFontColor(hit);
    tavrik::controls::PropertyBag bag;
    a.writeProperties(bag);
    QCOMPARE(bag.values().keys(), keys);

    cmdBox b;
    b.setCaption("x");
    b.setFontSize("20");
    b.setFontBold(!bold);
    b.setFontColor(0x00AA00);
    b.setHitFontColor(0x00BB00);
    b.readProperties(bag);
    QCOMPARE(b.Caption(), caption);
    QCOMPARE(b.FontSize(), size);
    QCOMPARE(b.FontBold(), bold);
    QCOMPARE(b.FontColor(), colour);
    QCOMPARE(b.HitFontColor(), hit);
    QCOMPARE(b.captionColor(), tavrik::controls::bgrColor(colour));
}

TAVRIK_TEST_MAIN(TestCmdBox)
#include "tst_cmdbox.moc"
