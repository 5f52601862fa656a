// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AccessibleWidgets.h"

#include <QAccessibleWidget>

class QAbstractSpinBox;
class QLineEdit;

// A spin box as a screen reader meets it. Qt 6.4's own interface answers
// the text questions through a line-edit interface of its own making, which
// never returns when asked for the word at the end of the text (Orca asks
// on Ctrl+Left); this one answers them from the box's line edit as the
// program's line edits do (LineEditText). The value, its range and the
// increase and decrease actions are the box's own.
class SpinBoxAccessible : public QAccessibleWidget,
                          public QAccessibleValueInterface,
                          public LineEditText {
public:
    explicit SpinBoxAccessible(QAbstractSpinBox* box);

    QAbstractSpinBox* spinBox() const;
    // The box's own line edit (QAbstractSpinBox keeps its accessor protected).
    QLineEdit* lineEdit() const override;

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text kind) const override;
    QAccessible::State state() const override;

    // QAccessibleActionInterface
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

    // QAccessibleValueInterface
    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

    using TextAnswers::text;
};
