#pragma once

#include "controls/propertybag.h"
#include "controls/picture/pictureclip.h"

#include <QFont>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <array>

namespace vexo3 {

// The push button of every Vexo3 window: one of four faces (normal, hot, pressed,
// disabled) stretched nine-slice over the button in device pixels, a centred caption
// on top. It notices the pointer leaving from the window system, and where that cannot
// tell (a mouse button holds the pointer, or it rests on the right or bottom edge,
// which still count as over the button) from a 20 ms timer polling the pointer.
class cmdBox : public QWidget {
    Q_OBJECT
    // For designers and .ui files; Enabled is the widget's own "enabled".
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(QString FontSize READ FontSize WRITE setFontSize)
    Q_PROPERTY(bool FontBold READ FontBold WRITE setFontBold)
    Q_PROPERTY(quint32 FontColor READ FontColor WRITE setFontColor)
    Q_PROPERTY(quint32 HitFontColor READ HitFontColor WRITE setHitFontColor)
public:
    explicit cmdBox(QWidget *parent = nullptr);

    QString Caption() const { return caption_; }
    void setCaption(const QString &caption);
    QString FontSize() const;
    void setFontSize(const QString &text);
    quint32 FontColor() const { return fontColor_; }
    void setFontColor(quint32 bgr);
    quint32 HitFontColor() const { return hitFontColor_; }
    void setHitFontColor(quint32 bgr);
    bool FontBold() const { return font_.bold(); }
    void setFontBold(bool bold);
    // The button's own enabled flag (QWidget::setEnabled writes it). However the button
    // becomes usable or unusable, its own flag or a parent's, the face follows and
    // EnabledChanged tells.
    bool Enabled() const;

    // Takes the four faces from an image file; they show from the next change of face.
    // False when the file gives none, with the words for the user in *error (for a
    // box titled kLoadFailedTitle); the button keeps its faces.
    bool LoadButtonImageFile(const QString &imageFile, QString *error = nullptr);
    static inline const QString kLoadFailedTitle = QStringLiteral("加载图片失败");

    // The face shown (0 normal, 1 hot, 2 pressed, 3 disabled) and the caption's colour.
    int face() const { return face_; }
    QColor captionColor() const;
    QFont captionFont() const { return font_; }

    void readProperties(const tavrik::controls::PropertyBag &bag);
    void writeProperties(tavrik::controls::PropertyBag &bag) const;

    QSize sizeHint() const override;

Q_SIGNALS:
    void Click();
    void MouseMove(int Button, int Shift, float X, float Y);
    void MouseOut();
    void MouseDown(int Button, int Shift, float X, float Y);
    void MouseUp(int Button, int Shift, float X, float Y);
    void EnabledChanged(bool cEnabled);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void DrawButton(int face);
    void layout();
    void setCaptionColor(quint32 bgr);
    void Timer1_Timer();
    // A look at the pointer, or the window system's word that it left: poll on, stop
    // polling, or the pointer is gone (MouseOut, the normal face).
    void watchPointer(bool toldLeft);

    QString caption_ = QStringLiteral("Command");
    QFont font_;
    quint32 fontColor_ = 0xFF0000;
    quint32 hitFontColor_ = 0x0000FF;
    quint32 captionColor_ = 0xFF0000;
    QTimer Timer1{this};
    // The pointer was seen over the button and has not been seen leaving.
    bool hovered_ = false;

    // The picture loaded last, and the faces painted (taken at the next DrawButton).
    tavrik::picture::PictureClip PCL{4, 1};
    quint64 pclGeneration_ = 0;
    quint64 shownGeneration_ = 0;
    std::array<QImage, 4> faces_;
    int face_ = 0;
    // Each face stretched over the button in device pixels, made when first painted
    // at this size and ratio.
    std::array<QPixmap, 4> painted_;
    QSize paintedSize_;
    qreal paintedRatio_ = 0;
};

} // namespace vexo3
