// SPDX-License-Identifier: Apache-2.0
// Where a control keeps its settings with the window that hosts it.
#pragma once

#include <QString>
#include <QVariant>
#include <QVariantMap>

namespace marlo {

class PropertyBag {
 public:
  virtual ~PropertyBag() = default;
  // The bag may leave out a value equal to its default.
  virtual void WriteProperty(const QString& name, const QVariant& value,
                             const QVariant& defaultValue) = 0;
  // The saved value, or the default when none was saved.
  virtual QVariant ReadProperty(const QString& name, const QVariant& defaultValue) const = 0;
};

// A bag held in memory, as a host window would serialise it.
class MemoryPropertyBag : public PropertyBag {
 public:
  void WriteProperty(const QString& name, const QVariant& value,
                     const QVariant& defaultValue) override {
    if (value == defaultValue)
      values.remove(name);
    else
      values.insert(name, value);
  }
  QVariant ReadProperty(const QString& name, const QVariant& defaultValue) const override {
    return values.value(name, defaultValue);
  }

  QVariantMap values;
};

}  // namespace marlo
