#pragma once

#include <QMap>
#include <QString>

namespace tavrik::controls {

// The stored properties of one control as a window's definition carries them: text
// values by key; a value equal to its default is simply absent.
class PropertyBag {
public:
    QString read(const QString &key, const QString &defaultValue) const
    {
        auto it = values_.constFind(key);
        return it == values_.constEnd() ? defaultValue : it.value();
    }
    void write(const QString &key, const QString &value, const QString &notWrittenWhen)
    {
        if (value == notWrittenWhen)
            values_.remove(key);
        else
            values_.insert(key, value);
    }
    bool contains(const QString &key) const { return values_.contains(key); }
    const QMap<QString, QString> &values() const { return values_; }

private:
    QMap<QString, QString> values_;
};

} // namespace tavrik::controls
