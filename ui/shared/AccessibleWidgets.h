// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>

class QLabel;
class QLineEdit;

// The program's own accessible interfaces where Qt 6.4 serves a screen
// reader badly: line edits, spin boxes (SpinBoxAccessible), labels and
// spoken notices (SpokenNotice). Qt's line edit never returns when a screen
// reader asks for the word at the end of its text (Orca asks on Ctrl+Left),
// and reports an empty attribute run at every offset, which makes Orca drop
// a value's last character; these answer every question from TextBoundaries
// and report the whole text as one run.

// The questions any text answers alike, from content() alone.
class TextAnswers : public QAccessibleTextInterface {
public:
    QString text(int startOffset, int endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                         int* endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                             int* startOffset, int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                            int* startOffset, int* endOffset) const override;
    int characterCount() const override;
    // The text has no attributes: one run over all of it.
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    // No selection and no caret unless the widget has them.
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}

protected:
    virtual QString content() const = 0;

private:
    // Offset -1 stands for the end of the text, -2 for the caret.
    int resolved(int offset) const;
};

// A line edit's text, its caret, selection and editing: the line edit's own
// interface, and a spin box's, whose text is its line edit's.
class LineEditText : public TextAnswers, public QAccessibleEditableTextInterface {
public:
    virtual QLineEdit* lineEdit() const = 0;

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;

    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int startOffset, int endOffset, const QString& text) override;

protected:
    QString content() const override;
};

class LineEditAccessible : public QAccessibleWidget, public LineEditText {
public:
    explicit LineEditAccessible(QLineEdit* edit);

    QLineEdit* lineEdit() const override;

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text kind) const override;
    void setText(QAccessible::Text kind, const QString& text) override;
    QAccessible::State state() const override;

    using TextAnswers::text;
};

class LabelAccessible : public QAccessibleWidget, public TextAnswers {
public:
    explicit LabelAccessible(QLabel* label);

    QLabel* label() const;

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text kind) const override;
    QList<std::pair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override;

    using TextAnswers::text;

protected:
    QString content() const override;
};

// Makes every line edit, spin box, label of text and SpokenNotice use the
// interfaces here, and holds back a line edit's caret events while it takes
// the focus, so that a screen reader names the field on its first visit
// too. The program installs this at start, before any window exists.
void InstallAccessibleWidgets();
