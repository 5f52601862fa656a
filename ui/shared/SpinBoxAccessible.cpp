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

// The box's own line edit (QAbstractSpinBox keeps its accessor protected).
QAccessibleInterface* LineEditOf(const QAbstractSpinBox* box)
{
    auto* edit = box->findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly);
    return edit != nullptr ? QAccessible::queryAccessibleInterface(edit) : nullptr;
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

QAccessibleTextInterface* SpinBoxAccessible::editText() const
{
    QAccessibleInterface* edit = LineEditOf(spinBox());
    return edit != nullptr ? edit->textInterface() : nullptr;
}

QAccessibleEditableTextInterface* SpinBoxAccessible::editEditing() const
{
    QAccessibleInterface* edit = LineEditOf(spinBox());
    return edit != nullptr ? edit->editableTextInterface() : nullptr;
}

void* SpinBoxAccessible::interface_cast(QAccessible::InterfaceType type)
{
    switch (type) {
    case QAccessible::ValueInterface:
        return static_cast<QAccessibleValueInterface*>(this);
    case QAccessible::TextInterface:
        return editText() != nullptr ? static_cast<QAccessibleTextInterface*>(this) : nullptr;
    case QAccessible::EditableTextInterface:
        return editEditing() != nullptr ? static_cast<QAccessibleEditableTextInterface*>(this)
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

void SpinBoxAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const
{
    editText()->selection(selectionIndex, startOffset, endOffset);
}

int SpinBoxAccessible::selectionCount() const
{
    return editText()->selectionCount();
}

void SpinBoxAccessible::addSelection(int startOffset, int endOffset)
{
    editText()->addSelection(startOffset, endOffset);
}

void SpinBoxAccessible::removeSelection(int selectionIndex)
{
    editText()->removeSelection(selectionIndex);
}

void SpinBoxAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    editText()->setSelection(selectionIndex, startOffset, endOffset);
}

int SpinBoxAccessible::cursorPosition() const
{
    return editText()->cursorPosition();
}

void SpinBoxAccessible::setCursorPosition(int position)
{
    editText()->setCursorPosition(position);
}

QString SpinBoxAccessible::text(int startOffset, int endOffset) const
{
    return editText()->text(startOffset, endOffset);
}

QString SpinBoxAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                            int* startOffset, int* endOffset) const
{
    return editText()->textBeforeOffset(offset, boundaryType, startOffset, endOffset);
}

QString SpinBoxAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                           int* startOffset, int* endOffset) const
{
    return editText()->textAfterOffset(offset, boundaryType, startOffset, endOffset);
}

QString SpinBoxAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                        int* startOffset, int* endOffset) const
{
    return editText()->textAtOffset(offset, boundaryType, startOffset, endOffset);
}

int SpinBoxAccessible::characterCount() const
{
    return editText()->characterCount();
}

QRect SpinBoxAccessible::characterRect(int offset) const
{
    return editText()->characterRect(offset);
}

int SpinBoxAccessible::offsetAtPoint(const QPoint& point) const
{
    return editText()->offsetAtPoint(point);
}

void SpinBoxAccessible::scrollToSubstring(int startIndex, int endIndex)
{
    editText()->scrollToSubstring(startIndex, endIndex);
}

QString SpinBoxAccessible::attributes(int offset, int* startOffset, int* endOffset) const
{
    return editText()->attributes(offset, startOffset, endOffset);
}

void SpinBoxAccessible::deleteText(int startOffset, int endOffset)
{
    editEditing()->deleteText(startOffset, endOffset);
}

void SpinBoxAccessible::insertText(int offset, const QString& text)
{
    editEditing()->insertText(offset, text);
}

void SpinBoxAccessible::replaceText(int startOffset, int endOffset, const QString& text)
{
    editEditing()->replaceText(startOffset, endOffset, text);
}
