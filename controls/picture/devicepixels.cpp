#include "controls/picture/devicepixels.h"

#include <QEvent>

#include <cmath>

namespace tavrik::picture {

namespace {

int toDevice(double logical, qreal ratio) { return int(std::lround(logical * ratio)); }

} // namespace

QRect toDevice(const QRectF &logical, qreal ratio)
{
    if (logical.isEmpty())
        return {};
    const int l = toDevice(logical.left(), ratio);
    const int t = toDevice(logical.top(), ratio);
    const int r = toDevice(logical.left() + logical.width(), ratio);
    const int b = toDevice(logical.top() + logical.height(), ratio);
    return QRect(l, t, r - l, b - t);
}

QRect coveringLogical(const QRect &device, qreal ratio)
{
    if (device.isEmpty())
        return {};
    const int l = int(std::floor(device.left() / ratio));
    const int t = int(std::floor(device.top() / ratio));
    const int r = int(std::ceil((device.left() + device.width()) / ratio));
    const int b = int(std::ceil((device.top() + device.height()) / ratio));
    return QRect(l, t, r - l, b - t);
}

QRectF toLogical(const QRect &device, qreal ratio)
{
    return QRectF(device.left() / ratio, device.top() / ratio, device.width() / ratio, device.height() / ratio);
}

QPixmap devicePixmap(const QImage &image, qreal ratio)
{
    QPixmap pm = QPixmap::fromImage(image);
    pm.setDevicePixelRatio(ratio);
    return pm;
}

bool mayChangeRatio(const QEvent *event)
{
    switch (event->type()) {
    case QEvent::ScreenChangeInternal:
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    case QEvent::DevicePixelRatioChange:
#endif
        return true;
    default:
        return false;
    }
}

} // namespace tavrik::picture
