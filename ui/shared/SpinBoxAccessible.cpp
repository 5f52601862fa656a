// SPDX-License-Identifier: GPL-3.0-or-later
#include "SpinBoxAccessible.h"

#include <QAbstractSpinBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QSpinBox>

namespace {

// What read gives of a box of whole or decimal numbers; nothing for others.
template <typename Read> QVariant NumberOf(const QAbstractSpinBox* box, Read read)
{
    if (const auto* whole = qobject_cast<const QSpinBox*>(box)) {
        return read(whole);
    }
    if (const auto* decimal = qobject_cast<const QDoubleSpinBox*>(box)) {
        return read(decimal);
    }
    return {};
}

} // namespace

SpinBoxAccessible::SpinBoxAccessible(QAbstractSpinBox* box)
    : QAccessibleWidget(box, QAccessible::SpinBox)
{
}

QAbstractSpinBox* SpinBoxAccessible::spinBox() const
{
    return static_cast<QAbstractSpinBox*>(widget());
}

QLineEdit* SpinBoxAccessible::lineEdit() const
{
    return spinBox()->findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly);
}

void* SpinBoxAccessible::interface_cast(QAccessible::InterfaceType type)
{
    switch (type) {
    case QAccessible::ValueInterface:
        return static_cast<QAccessibleValueInterface*>(this);
    case QAccessible::TextInterface:
        return lineEdit() != nullptr ? static_cast<QAccessibleTextInterface*>(this) : nullptr;
    case QAccessible::EditableTextInterface:
        return lineEdit() != nullptr ? static_cast<QAccessibleEditableTextInterface*>(this)
                                     : nullptr;
    default:
        return QAccessibleWidget::interface_cast(type);
    }
}

QString SpinBoxAccessible::text(QAccessible::Text kind) const
{
    if (kind == QAccessible::Value) {
        return spinBox()->text();
    }
    return QAccessibleWidget::text(kind);
}

QAccessible::State SpinBoxAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = !spinBox()->isReadOnly();
    state.readOnly = spinBox()->isReadOnly();
    return state;
}

QStringList SpinBoxAccessible::actionNames() const
{
    return QAccessibleWidget::actionNames() << QAccessibleActionInterface::increaseAction()
                                            << QAccessibleActionInterface::decreaseAction();
}

void SpinBoxAccessible::doAction(const QString& actionName)
{
    if (!spinBox()->isEnabled()) {
        return;
    }
    if (actionName == QAccessibleActionInterface::increaseAction()) {
        spinBox()->stepUp();
    } else if (actionName == QAccessibleActionInterface::decreaseAction()) {
        spinBox()->stepDown();
    } else {
        QAccessibleWidget::doAction(actionName);
    }
}

QVariant SpinBoxAccessible::currentValue() const
{
    const QVariant number = NumberOf(spinBox(), [](const auto* box) { return box->value(); });
    return number.isValid() ? number : QVariant(spinBox()->text());
}

void SpinBoxAccessible::setCurrentValue(const QVariant& value)
{
    if (auto* whole = qobject_cast<QSpinBox*>(spinBox())) {
        whole->setValue(value.toInt());
    } else if (auto* decimal = qobject_cast<QDoubleSpinBox*>(spinBox())) {
        decimal->setValue(value.toDouble());
    }
}

QVariant SpinBoxAccessible::maximumValue() const
{
    return NumberOf(spinBox(), [](const auto* box) { return box->maximum(); });
}

QVariant SpinBoxAccessible::minimumValue() const
{
    return NumberOf(spinBox(), [](const auto* box) { return box->minimum(); });
}

QVariant SpinBoxAccessible::minimumStepSize() const
{
    return NumberOf(spinBox(), [](const auto* box) { return box->singleStep(); });
}
