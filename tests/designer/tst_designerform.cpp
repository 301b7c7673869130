#include "tests/support/fakes.h"
#include "tests/support/testmain.h"

#include <QtTest>

#include <QDesignerComponents>
#include <QDesignerFormEditorInterface>
#include <QDesignerFormWindowCursorInterface>
#include <QDesignerFormWindowInterface>
#include <QDesignerFormWindowManagerInterface>
#include <QDesignerIntegration>
#include <QDesignerTaskMenuExtension>
#include <QExtensionManager>

#include <QDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QUndoStack>

// Qt Designer's own form editor with the built plugin: a form holding two Seg controls,
// the page opened from the context menu of the first, and what its Apply leaves in the
// form, its undo stack and the saved text.

namespace {

const QString kPluginRoot = QFileInfo(QFileInfo(QStringLiteral(TAVRIK_DESIGNER_PLUGIN_FILE)).absolutePath()).absolutePath();

const char kFormXml[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <class>Form</class>
 <widget class="QWidget" name="Form">
  <property name="geometry"><rect><x>0</x><y>0</y><width>400</width><height>300</height></rect></property>
  <widget class="vexo3::Seg" name="SegBox1">
   <property name="geometry"><rect><x>10</x><y>10</y><width>160</width><height>36</height></rect></property>
   <property name="SegValue"><string notr="true">12.5</string></property>
   <property name="SegCount"><string notr="true">6</string></property>
  </widget>
  <widget class="vexo3::Seg" name="SegBox2">
   <property name="geometry"><rect><x>10</x><y>60</y><width>160</width><height>36</height></rect></property>
   <property name="SegValue"><string notr="true">99</string></property>
  </widget>
  <widget class="vexo::xp_canvas" name="frame">
   <property name="geometry"><rect><x>0</x><y>120</y><width>200</width><height>100</height></rect></property>
   <property name="Caption"><string>秒表</string></property>
  </widget>
 </widget>
 <customwidgets>
  <customwidget><class>vexo3::Seg</class><extends>QWidget</extends><header>controls/seg/seg.h</header></customwidget>
  <customwidget><class>vexo::xp_canvas</class><extends>QWidget</extends><header>controls/xp/xp_canvas.h</header></customwidget>
 </customwidgets>
</ui>
)";

// The value a saved form gives one property of one control, or a null string.
QString savedProperty(const QString &contents, const QString &object, const QString &property)
{
    QXmlStreamReader r(contents);
    QString widget;
    QString prop;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement() && r.name() == QLatin1String("widget"))
            widget = r.attributes().value(QLatin1String("name")).toString();
        else if (r.isStartElement() && r.name() == QLatin1String("property"))
            prop = r.attributes().value(QLatin1String("name")).toString();
        else if (r.isStartElement() && r.name() == QLatin1String("string") && widget == object && prop == property)
            return r.readElementText();
        else if (r.isEndElement() && r.name() == QLatin1String("property"))
            prop.clear();
    }
    return QString();
}

} // namespace

class TestDesignerForm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void pageFromContextMenu();
    void applyIsOneUndoableStepInTheForm();
    void abcGivesOneCell();
    void firstIsTheControlWhoseMenuOpened_data();
    void firstIsTheControlWhoseMenuOpened();
    void frameLeavesTheDesignerTitleAlone();

private:
    QDialog *openPage(const char *seg = "SegBox1");
    QWidget *child(const char *name) const { return form_->mainContainer()->findChild<QWidget *>(QLatin1String(name)); }

    QDesignerFormEditorInterface *core_ = nullptr;
    std::unique_ptr<QMainWindow> window_;
    QDesignerFormWindowInterface *form_ = nullptr;
};

void TestDesignerForm::initTestCase()
{
    // Only the plugin just built, never one installed on the machine.
    QCoreApplication::setLibraryPaths({kPluginRoot});
    QDesignerComponents::initializeResources();
    core_ = QDesignerComponents::createFormEditor(this);
    core_->setIntegration(new QDesignerIntegration(core_, this));
    QDesignerComponents::initializePlugins(core_);
    QVERIFY(core_->extensionManager());
}

void TestDesignerForm::init()
{
    window_ = std::make_unique<QMainWindow>();
    window_->setWindowTitle(QStringLiteral("Designer"));
    core_->setTopLevel(window_.get());
    form_ = core_->formWindowManager()->createFormWindow(window_.get());
    window_->setCentralWidget(form_);
    QVERIFY(form_->setContents(QString::fromUtf8(kFormXml)));
    core_->formWindowManager()->setActiveFormWindow(form_);
    window_->resize(600, 500);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    QVERIFY(child("SegBox1"));
    QCOMPARE(QString::fromLatin1(child("SegBox1")->metaObject()->className()), QStringLiteral("vexo3::Seg"));
    // Both displays selected, the first one first.
    form_->clearSelection();
    form_->selectWidget(child("SegBox1"));
    form_->selectWidget(child("SegBox2"));
    QCOMPARE(form_->cursor()->selectedWidgetCount(), 2);
}

void TestDesignerForm::cleanup()
{
    if (form_)
        core_->formWindowManager()->removeFormWindow(form_);
    window_.reset();
    form_ = nullptr;
}

QDialog *TestDesignerForm::openPage(const char *seg)
{
    auto *menu = qt_extension<QDesignerTaskMenuExtension *>(core_->extensionManager(), child(seg));
    if (!menu || menu->taskActions().isEmpty())
        return nullptr;
    menu->taskActions().first()->trigger();
    QDialog *page = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("SegProtertyDialog") && w->isVisible())
            page = qobject_cast<QDialog *>(w);
    return page;
}

void TestDesignerForm::pageFromContextMenu()
{
    QDialog *page = openPage();
    QVERIFY(page);
    QCOMPARE(page->windowTitle(), QStringLiteral("SegProterty"));
    // Modal to the designer's window, without blocking the test in a loop of its own.
    QCOMPARE(page->windowModality(), Qt::WindowModal);
    QCOMPARE(page->findChild<QLineEdit *>(QStringLiteral("txtSegValue"))->text(), QStringLiteral("12.5"));
    QCOMPARE(page->findChild<QLineEdit *>(QStringLiteral("txtSegCount"))->text(), QStringLiteral("6"));
    page->reject();
    QTRY_VERIFY(!page->isVisible());
}

void TestDesignerForm::applyIsOneUndoableStepInTheForm()
{
    QUndoStack *undo = form_->commandHistory();
    const int before = undo->index();
    QDialog *page = openPage();
    QVERIFY(page);
    testing::retype(page->findChild<QLineEdit *>(QStringLiteral("txtSegCount")), QStringLiteral("25"));
    testing::retype(page->findChild<QLineEdit *>(QStringLiteral("txtSegValue")), QStringLiteral("3.14"));
    auto *apply = page->findChild<QPushButton *>();
    for (QPushButton *b : page->findChildren<QPushButton *>())
        if (b->text() == QStringLiteral("应用(&A)"))
            apply = b;
    QVERIFY(apply->isEnabled());
    QTest::mouseClick(apply, Qt::LeftButton);

    QCOMPARE(child("SegBox1")->property("SegCount").toString(), QStringLiteral("20"));
    QCOMPARE(child("SegBox1")->property("SegValue").toString(), QStringLiteral("3.14"));
    QCOMPARE(child("SegBox2")->property("SegValue").toString(), QStringLiteral("99"));
    QCOMPARE(child("SegBox2")->property("SegCount").toString(), QStringLiteral("8"));
    QCOMPARE(undo->index(), before + 1);
    QVERIFY(form_->isDirty());
    // The saved form holds the control's values, the clamped count among them.
    QCOMPARE(savedProperty(form_->contents(), QStringLiteral("SegBox1"), QStringLiteral("SegCount")), QStringLiteral("20"));
    QCOMPARE(savedProperty(form_->contents(), QStringLiteral("SegBox1"), QStringLiteral("SegValue")), QStringLiteral("3.14"));
    QCOMPARE(savedProperty(form_->contents(), QStringLiteral("SegBox2"), QStringLiteral("SegValue")), QStringLiteral("99"));
    page->accept();

    // Opened again, the page shows the clamped count.
    page = openPage();
    QCOMPARE(page->findChild<QLineEdit *>(QStringLiteral("txtSegCount"))->text(), QStringLiteral("20"));
    page->reject();

    // One undo takes both writes back.
    undo->undo();
    QCOMPARE(child("SegBox1")->property("SegCount").toString(), QStringLiteral("6"));
    QCOMPARE(child("SegBox1")->property("SegValue").toString(), QStringLiteral("12.5"));
    QCOMPARE(savedProperty(form_->contents(), QStringLiteral("SegBox1"), QStringLiteral("SegValue")), QStringLiteral("12.5"));
}

void TestDesignerForm::abcGivesOneCell()
{
    QDialog *page = openPage();
    QVERIFY(page);
    auto *count = page->findChild<QLineEdit *>(QStringLiteral("txtSegCount"));
    testing::retype(count, QStringLiteral("abc"));
    QTest::keyClick(count, Qt::Key_Return);
    QTRY_VERIFY(!page->isVisible());
    QCOMPARE(child("SegBox1")->property("SegCount").toString(), QStringLiteral("1"));
    QCOMPARE(savedProperty(form_->contents(), QStringLiteral("SegBox1"), QStringLiteral("SegCount")), QStringLiteral("1"));
}

void TestDesignerForm::firstIsTheControlWhoseMenuOpened_data()
{
    QTest::addColumn<QString>("menuOf");
    QTest::addColumn<QStringList>("selected");
    QTest::addColumn<QString>("edited");
    QTest::newRow("second of two selected") << "SegBox2" << QStringList{"SegBox1", "SegBox2"} << "SegBox2";
    QTest::newRow("first of two selected") << "SegBox1" << QStringList{"SegBox2", "SegBox1"} << "SegBox1";
    QTest::newRow("menu of an unselected one") << "SegBox1" << QStringList{"SegBox2"} << "SegBox2";
    QTest::newRow("no Seg selected") << "SegBox2" << QStringList{"frame"} << "SegBox2";
}

void TestDesignerForm::firstIsTheControlWhoseMenuOpened()
{
    QFETCH(QString, menuOf);
    QFETCH(QStringList, selected);
    QFETCH(QString, edited);
    form_->clearSelection();
    for (const QString &name : selected)
        form_->selectWidget(child(name.toLatin1().constData()));
    const QString other = edited == QLatin1String("SegBox1") ? QStringLiteral("SegBox2") : QStringLiteral("SegBox1");
    const QString otherValue = child(other.toLatin1().constData())->property("SegValue").toString();

    QDialog *page = openPage(menuOf.toLatin1().constData());
    QVERIFY(page);
    auto *value = page->findChild<QLineEdit *>(QStringLiteral("txtSegValue"));
    QCOMPARE(value->text(), child(edited.toLatin1().constData())->property("SegValue").toString());
    testing::retype(value, QStringLiteral("77"));
    QTest::keyClick(value, Qt::Key_Return);
    QTRY_VERIFY(!page->isVisible());
    QCOMPARE(child(edited.toLatin1().constData())->property("SegValue").toString(), QStringLiteral("77"));
    QCOMPARE(child(other.toLatin1().constData())->property("SegValue").toString(), otherValue);
}

void TestDesignerForm::frameLeavesTheDesignerTitleAlone()
{
    QWidget *frame = child("frame");
    QVERIFY(frame);
    QCOMPARE(frame->property("Caption").toString(), QStringLiteral("秒表"));
    form_->cursor()->setWidgetProperty(frame, QStringLiteral("Caption"), QStringLiteral("新标题"));
    QCOMPARE(frame->property("Caption").toString(), QStringLiteral("新标题"));
    QCOMPARE(window_->windowTitle(), QStringLiteral("Designer"));
    QCOMPARE(frame->window(), window_.get());
}

TAVRIK_TEST_MAIN(TestDesignerForm)
#include "tst_designerform.moc"
