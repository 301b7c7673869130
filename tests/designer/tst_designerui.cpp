#include "tests/controls/seg/segreader.h"
#include "controls/cmdbox/cmdbox.h"
#include "controls/seg/seg.h"
#include "controls/xp/xpcmdbutton.h"
#include "tests/support/testmain.h"

#include <QtTest>

#include <QUiLoader>

// A .ui form with the project's controls, loaded at run time with the plugin's folder:
// the controls it makes are the real ones, with the values the form stores.

namespace {

const QString kPluginDir = QFileInfo(QStringLiteral(TAVRIK_DESIGNER_PLUGIN_FILE)).absolutePath();
const QString kForm = QStringLiteral(TAVRIK_SOURCE_DIR "/tests/designer/controls.ui");

QImage shot(QWidget *w) { return w->grab().toImage().convertToFormat(QImage::Format_RGB32); }

int pixelsNear(const QImage &img, const QColor &c)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor p = img.pixelColor(x, y);
            n += qAbs(p.red() - c.red()) + qAbs(p.green() - c.green()) + qAbs(p.blue() - c.blue()) < 60;
        }
    return n;
}

} // namespace

class TestDesignerUi : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void knowsTheControls();
    void segAsStored();
    void cmdBoxAsStored();
    void cmdBoxClicks();
    void xpButtonAsStored();

private:
    std::unique_ptr<QWidget> form_;
};

void TestDesignerUi::init()
{
    QUiLoader loader;
    loader.clearPluginPaths();
    loader.addPluginPath(kPluginDir);
    QFile file(kForm);
    QVERIFY(file.open(QIODevice::ReadOnly));
    form_.reset(loader.load(&file));
    QVERIFY2(form_, qPrintable(loader.errorString()));
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
}

void TestDesignerUi::cleanup() { form_.reset(); }

void TestDesignerUi::knowsTheControls()
{
    QUiLoader loader;
    loader.clearPluginPaths();
    loader.addPluginPath(kPluginDir);
    const QStringList known = loader.availableWidgets();
    for (const char *name : {"vexo3::Seg", "vexo3::cmdBox", "vexo::xpcmdbutton", "vexo::xp_canvas"})
        QVERIFY2(known.contains(QLatin1String(name)), name);
}

void TestDesignerUi::segAsStored()
{
    QWidget *loaded = form_->findChild<QWidget *>(QStringLiteral("SegBox1"));
    QVERIFY(loaded);
    QCOMPARE(QString::fromLatin1(loaded->metaObject()->className()), QStringLiteral("vexo3::Seg"));
    QCOMPARE(loaded->property("SegValue").toString(), QStringLiteral("12.5"));
    QCOMPARE(loaded->property("SegCount").toString(), QStringLiteral("6"));
    QCOMPARE(loaded->size(), QSize(180, 40));

    // Painted exactly as a display made in code with the same values.
    vexo3::Seg made;
    made.resize(loaded->size());
    made.setSegCount(QStringLiteral("6"));
    made.setSegValue(QStringLiteral("12.5"));
    QCOMPARE(segtest::readDisplay(shot(&made), made, QImage(QStringLiteral(":/tavrik/digits.png"))),
             QStringLiteral("  12.5"));
    QTRY_COMPARE(shot(loaded), shot(&made));
}

void TestDesignerUi::cmdBoxAsStored()
{
    QWidget *loaded = form_->findChild<QWidget *>(QStringLiteral("cmdStart"));
    QVERIFY(loaded);
    QCOMPARE(QString::fromLatin1(loaded->metaObject()->className()), QStringLiteral("vexo3::cmdBox"));
    QCOMPARE(loaded->property("Caption").toString(), QStringLiteral("开始"));
    QCOMPARE(loaded->property("FontBold").toBool(), true);
    QCOMPARE(loaded->property("FontColor").toUInt(), 0x008000u);
    QCOMPARE(loaded->property("HitFontColor").toUInt(), 0xFF00FFu);
    QCOMPARE(loaded->property("FontSize").toString(), QStringLiteral("10"));

    vexo3::cmdBox made;
    made.resize(loaded->size());
    made.setCaption(QStringLiteral("开始"));
    made.setFontBold(true);
    made.setFontColor(0x008000);
    QCOMPARE(shot(loaded), shot(&made));
    // The caption is drawn in the stored colour, green (0x00BBGGRR).
    QVERIFY(pixelsNear(shot(loaded), QColor(0, 128, 0)) > 10);
}

void TestDesignerUi::cmdBoxClicks()
{
    QWidget *loaded = form_->findChild<QWidget *>(QStringLiteral("cmdStart"));
    QSignalSpy clicks(loaded, SIGNAL(Click()));
    QVERIFY(clicks.isValid());
    QTest::mouseClick(loaded, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(clicks.size(), 1);
}

void TestDesignerUi::xpButtonAsStored()
{
    QWidget *loaded = form_->findChild<QWidget *>(QStringLiteral("cmdLog"));
    QVERIFY(loaded);
    QCOMPARE(QString::fromLatin1(loaded->metaObject()->className()), QStringLiteral("vexo::xpcmdbutton"));
    QCOMPARE(loaded->property("Caption").toString(), QStringLiteral("记录"));
    QCOMPARE(loaded->property("State").toInt(), 1);

    QWidget host;
    host.setFont(loaded->parentWidget()->font());
    vexo::xpcmdbutton made(&host);
    made.resize(loaded->size());
    made.setCaption(QStringLiteral("记录"));
    made.setState(1);
    QCOMPARE(made.look(), int(vexo::xpcmdbutton::LookHighlighted));
    QCOMPARE(shot(loaded), shot(&made));
}

TAVRIK_TEST_MAIN(TestDesignerUi)
#include "tst_designerui.moc"
