#pragma once

#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <QIcon>
#include <QObject>
#include <QSize>

#include <functional>

namespace tavrik::designer {

// What a designer is told of one control.
struct ControlInfo {
    QString className;   // with its namespace, as the code names it
    QString displayName; // as the widget box shows it
    QString includeFile;
    QString objectName;  // of a control dropped on a form
    QSize size;          // of a control dropped on a form
    QString toolTip;
    QString whatsThis;
    std::function<QWidget *(QWidget *parent)> create;
    // A control set up to be drawn as the icon, and the size it is drawn at.
    std::function<QWidget *()> iconModel;
    QSize iconModelSize;
    bool segTaskMenu = false;
};

class Control : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)
public:
    Control(ControlInfo info, QObject *parent);

    QString name() const override { return info_.className; }
    QString group() const override { return QStringLiteral("Tavrik"); }
    QString toolTip() const override { return info_.toolTip; }
    QString whatsThis() const override { return info_.whatsThis; }
    QString includeFile() const override { return info_.includeFile; }
    QIcon icon() const override;
    bool isContainer() const override { return false; }
    QWidget *createWidget(QWidget *parent) override { return info_.create(parent); }
    bool isInitialized() const override { return initialized_; }
    void initialize(QDesignerFormEditorInterface *core) override;
    QString domXml() const override;

private:
    ControlInfo info_;
    mutable QIcon icon_;
    bool initialized_ = false;
};

// The plugin: every control of the project under the group "Tavrik".
class TavrikControls : public QObject, public QDesignerCustomWidgetCollectionInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
    Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)
public:
    explicit TavrikControls(QObject *parent = nullptr);

    QList<QDesignerCustomWidgetInterface *> customWidgets() const override { return controls_; }

private:
    QList<QDesignerCustomWidgetInterface *> controls_;
};

} // namespace tavrik::designer
