#include "tests/support/testmain.h"

#include <QtTest>

#include <QDesignerFormEditorInterface>
#include <QDesignerTaskMenuExtension>
#include <QExtensionManager>
#include <QPluginLoader>
#include <QXmlStreamReader>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

// The built plugin as Qt Designer sees it: loaded from its file, its controls known only
// through the designer's interfaces and their properties.

namespace {

const QString kPluginFile = QStringLiteral(TAVRIK_DESIGNER_PLUGIN_FILE);

// A form editor that has no more than an extension manager, which is all the plugin
// asks of it when it starts.
class BareFormEditor : public QDesignerFormEditorInterface {
public:
    explicit BareFormEditor(QExtensionManager *manager) { setExtensionManager(manager); }
};

struct DomWidget {
    QString displayName;
    QString className;
    QString objectName;
    QSize size;
};

DomWidget readDom(const QString &xml, QString *error)
{
    DomWidget out;
    QXmlStreamReader r(xml);
    bool inGeometry = false;
    QString current;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement()) {
            const QString n = r.name().toString();
            if (n == QLatin1String("ui"))
                out.displayName = r.attributes().value(QLatin1String("displayname")).toString();
            else if (n == QLatin1String("widget") && out.className.isEmpty()) {
                out.className = r.attributes().value(QLatin1String("class")).toString();
                out.objectName = r.attributes().value(QLatin1String("name")).toString();
            } else if (n == QLatin1String("property"))
                inGeometry = r.attributes().value(QLatin1String("name")) == QLatin1String("geometry");
            current = n;
        } else if (r.isCharacters() && !r.isWhitespace() && inGeometry) {
            if (current == QLatin1String("width"))
                out.size.setWidth(r.text().toInt());
            else if (current == QLatin1String("height"))
                out.size.setHeight(r.text().toInt());
        }
    }
    if (r.hasError())
        *error = r.errorString();
    return out;
}

int countReddish(const QImage &img)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            n += c.alpha() > 128 && c.red() > 150 && c.green() < 120 && c.blue() < 80;
        }
    return n;
}

} // namespace

class TestDesignerPlugin : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void listsTheControls();
    void describesEach_data();
    void describesEach();
    void createsWithProperties_data();
    void createsWithProperties();
    void segThroughItsProperties_data();
    void segThroughItsProperties();
    void taskMenuOnlyForSeg();
    void frameOutsideADesignerTitlesItsWindow();

private:
    QDesignerCustomWidgetInterface *control(const QString &name) const;

    QPluginLoader loader_;
    QDesignerCustomWidgetCollectionInterface *collection_ = nullptr;
    QExtensionManager manager_;
    std::unique_ptr<BareFormEditor> core_;
};

void TestDesignerPlugin::initTestCase()
{
    loader_.setFileName(kPluginFile);
    QVERIFY2(loader_.load(), qPrintable(loader_.errorString()));
    QCOMPARE(loader_.metaData().value(QLatin1String("IID")).toString(),
             QStringLiteral("org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface"));
    collection_ = qobject_cast<QDesignerCustomWidgetCollectionInterface *>(loader_.instance());
    QVERIFY(collection_);
    core_ = std::make_unique<BareFormEditor>(&manager_);
    for (QDesignerCustomWidgetInterface *c : collection_->customWidgets()) {
        QVERIFY(!c->isInitialized());
        c->initialize(core_.get());
        QVERIFY(c->isInitialized());
    }
}

void TestDesignerPlugin::cleanupTestCase() { core_.reset(); }

QDesignerCustomWidgetInterface *TestDesignerPlugin::control(const QString &name) const
{
    for (QDesignerCustomWidgetInterface *c : collection_->customWidgets())
        if (c->name() == name)
            return c;
    return nullptr;
}

void TestDesignerPlugin::listsTheControls()
{
    QStringList names;
    for (QDesignerCustomWidgetInterface *c : collection_->customWidgets())
        names.append(c->name());
    QCOMPARE(names, QStringList({QStringLiteral("vexo3::Seg"), QStringLiteral("vexo3::cmdBox"),
                                 QStringLiteral("vexo::xpcmdbutton"), QStringLiteral("vexo::xp_canvas")}));
}

void TestDesignerPlugin::describesEach_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("displayName");
    QTest::addColumn<QString>("include");
    QTest::addColumn<QSize>("size");
    QTest::newRow("Seg") << "vexo3::Seg" << "Seg" << "controls/seg/seg.h" << QSize(160, 36);
    QTest::newRow("cmdBox") << "vexo3::cmdBox" << "cmdBox" << "controls/cmdbox/cmdbox.h" << QSize(81, 25);
    QTest::newRow("xpcmdbutton") << "vexo::xpcmdbutton" << "xpcmdbutton" << "controls/xp/xpcmdbutton.h" << QSize(75, 23);
    QTest::newRow("xp_canvas") << "vexo::xp_canvas" << "xp_canvas" << "controls/xp/xp_canvas.h" << QSize(320, 240);
}

void TestDesignerPlugin::describesEach()
{
    QFETCH(QString, name);
    QFETCH(QString, displayName);
    QFETCH(QString, include);
    QFETCH(QSize, size);
    QDesignerCustomWidgetInterface *c = control(name);
    QVERIFY(c);
    QCOMPARE(c->group(), QStringLiteral("Tavrik"));
    QCOMPARE(c->includeFile(), include);
    QVERIFY(QFile::exists(QStringLiteral(TAVRIK_SOURCE_DIR "/") + include));
    QVERIFY(!c->isContainer());
    QVERIFY(!c->toolTip().isEmpty());
    QVERIFY(!c->whatsThis().isEmpty());

    // The icon is the control drawn small: something is painted, not an empty square.
    const QImage icon = c->icon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(icon.size(), QSize(32, 32));
    int painted = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            painted += qAlpha(icon.pixel(x, y)) > 0;
    QVERIFY2(painted >= 32 * 8, qPrintable(QString::number(painted)));

    QString error;
    const DomWidget dom = readDom(c->domXml(), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(dom.displayName, displayName);
    QCOMPARE(dom.className, name);
    QVERIFY(!dom.objectName.isEmpty());
    QCOMPARE(dom.size, size);
}

void TestDesignerPlugin::createsWithProperties_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariantMap>("defaults");
    QTest::newRow("Seg") << "vexo3::Seg"
                         << QVariantMap{{"SegValue", QStringLiteral("0")}, {"SegCount", QStringLiteral("8")}};
    QTest::newRow("cmdBox") << "vexo3::cmdBox"
                            << QVariantMap{{"Caption", QStringLiteral("Command")},
                                           {"FontSize", QStringLiteral("10")},
                                           {"FontBold", false},
                                           {"FontColor", quint32(0xFF0000)},
                                           {"HitFontColor", quint32(0x0000FF)}};
    QTest::newRow("xpcmdbutton") << "vexo::xpcmdbutton"
                                 << QVariantMap{{"Caption", QStringLiteral("xpcmdbutton")}, {"State", 0}};
    QTest::newRow("xp_canvas") << "vexo::xp_canvas"
                               << QVariantMap{{"Caption", QStringLiteral("xp_canvas")}, {"Fixed_Single", false}};
}

void TestDesignerPlugin::createsWithProperties()
{
    QFETCH(QString, name);
    QFETCH(QVariantMap, defaults);
    QWidget form;
    form.setWindowTitle(QStringLiteral("form"));
    QWidget *w = control(name)->createWidget(&form);
    QVERIFY(w);
    QCOMPARE(QString::fromLatin1(w->metaObject()->className()), name);
    QCOMPARE(w->parentWidget(), &form);
    for (auto it = defaults.cbegin(); it != defaults.cend(); ++it) {
        const QMetaObject *mo = w->metaObject();
        const int index = mo->indexOfProperty(it.key().toLatin1().constData());
        QVERIFY2(index >= mo->propertyOffset(), qPrintable(it.key()));
        const QMetaProperty p = mo->property(index);
        QVERIFY2(p.isDesignable() && p.isWritable() && p.isStored(), qPrintable(it.key()));
        QCOMPARE(p.read(w), it.value());
        // Written back as it was read, it stays.
        QVERIFY(p.write(w, it.value()));
        QCOMPARE(p.read(w), it.value());
    }
}

void TestDesignerPlugin::segThroughItsProperties_data()
{
    QTest::addColumn<QVariant>("written");
    QTest::addColumn<QString>("readBack");
    QTest::newRow("25") << QVariant(QStringLiteral("25")) << "20";
    QTest::newRow("abc") << QVariant(QStringLiteral("abc")) << "1";
    QTest::newRow("8.5") << QVariant(QStringLiteral("8.5")) << "8";
    QTest::newRow("number 12") << QVariant(12) << "12";
}

void TestDesignerPlugin::segThroughItsProperties()
{
    QFETCH(QVariant, written);
    QFETCH(QString, readBack);
    QWidget form;
    QWidget *seg = control(QStringLiteral("vexo3::Seg"))->createWidget(&form);
    seg->resize(160, 36);
    QVERIFY(seg->setProperty("SegCount", written));
    QCOMPARE(seg->property("SegCount").toString(), readBack);
    QVERIFY(seg->setProperty("SegValue", QStringLiteral("8")));
    QCOMPARE(seg->property("SegValue").toString(), QStringLiteral("8"));
    // Lit segments in the last cell only, where the 8 stands. Cells overlap by a
    // pixel, so the last one starts up to a pixel a cell further left.
    const QImage img = seg->grab().toImage();
    const int cells = readBack.toInt();
    const int lastCell = img.width() * (cells - 1) / cells - cells - 1;
    QVERIFY(countReddish(img.copy(lastCell, 0, img.width() - lastCell, img.height())) > 3);
    QCOMPARE(countReddish(img.copy(0, 0, lastCell, img.height())), 0);
}

void TestDesignerPlugin::taskMenuOnlyForSeg()
{
    QWidget form;
    QWidget *seg = control(QStringLiteral("vexo3::Seg"))->createWidget(&form);
    QWidget *box = control(QStringLiteral("vexo3::cmdBox"))->createWidget(&form);
    auto *menu = qt_extension<QDesignerTaskMenuExtension *>(&manager_, seg);
    QVERIFY(menu);
    QCOMPARE(menu->taskActions().size(), 1);
    QCOMPARE(menu->taskActions().first()->text(), QStringLiteral("编辑 Seg…"));
    QCOMPARE(menu->preferredEditAction(), menu->taskActions().first());
    QVERIFY(!qt_extension<QDesignerTaskMenuExtension *>(&manager_, box));
}

void TestDesignerPlugin::frameOutsideADesignerTitlesItsWindow()
{
    // A .ui form loaded by a program: the frame drives its window as in code.
    QWidget window;
    QWidget *frame = control(QStringLiteral("vexo::xp_canvas"))->createWidget(&window);
    QVERIFY(frame->setProperty("Caption", QStringLiteral("秒表")));
    QCOMPARE(window.windowTitle(), QStringLiteral("秒表"));
    QCOMPARE(frame->geometry(), window.rect());
    // The icon goes through the property as a pixmap, as .ui files hold pictures.
    QCOMPARE(frame->property("Icon").value<QPixmap>().size(), QSize(16, 16));
    QPixmap red(16, 16);
    red.fill(Qt::red);
    QVERIFY(frame->setProperty("Icon", red));
    QCOMPARE(frame->property("Icon").value<QPixmap>().toImage().pixelColor(8, 8), QColor(Qt::red));
}

TAVRIK_TEST_MAIN(TestDesignerPlugin)
#include "tst_designerplugin.moc"
