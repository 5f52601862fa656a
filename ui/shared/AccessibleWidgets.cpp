// SPDX-License-Identifier: GPL-3.0-or-later
#include "AccessibleWidgets.h"

#include "SpinBoxAccessible.h"
#include "SpokenNotice.h"
#include "TextBoundaries.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTextDocumentFragment>

namespace {

TextSegment Answer(const TextSegment& segment, int* startOffset, int* endOffset)
{
    *startOffset = segment.start;
    *endOffset = segment.end;
    return segment;
}

// A label's text as it reads: rich text as plain text, and without the
// marker of its buddy's access key.
QString PlainLabelText(const QLabel* label)
{
    QString text = label->text();
    if (label->textFormat() == Qt::RichText ||
        (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text))) {
        text = QTextDocumentFragment::fromHtml(text).toPlainText();
    }
    if (label->buddy() != nullptr) {
        QString stripped;
        for (qsizetype at = 0; at < text.size(); ++at) {
            if (text.at(at) == u'&' && at + 1 < text.size()) {
                ++at; // "&&" stands for one ampersand
            }
            stripped += text.at(at);
        }
        text = stripped;
    }
    return text;
}

// A line edit of its own; those inside spin boxes and combo boxes are told
// about by their owner.
bool IsOwnField(const QObject* object)
{
    const auto* edit = qobject_cast<const QLineEdit*>(object);
    if (edit == nullptr) {
        return false;
    }
    const QWidget* owner = edit->parentWidget();
    return qobject_cast<const QAbstractSpinBox*>(owner) == nullptr &&
           qobject_cast<const QComboBox*>(owner) == nullptr;
}

// Qt tells of a line edit's caret and selection while the edit takes the
// focus, and of the focus only afterwards; Orca takes the caret event for
// the focus change and names nothing. Leaving an edit, Qt clears its
// selection before it tells of the new focus, and Orca says "unselected".
// The caret and selection events of an edit taking or leaving the focus are
// held back until Qt has told of the focus: the screen reader then hears of
// the focus alone and reads the field's name, value and description.
QPointer<QObject> enteringField;
QPointer<QObject> leavingField;

bool IsHeldBack(const QAccessibleEvent* event)
{
    const bool caret = event->type() == QAccessible::TextCaretMoved ||
                       event->type() == QAccessible::TextSelectionChanged;
    return caret && event->object() != nullptr &&
           (event->object() == enteringField || event->object() == leavingField);
}

void PassOnUpdate(QAccessibleEvent* event)
{
    if (IsHeldBack(event)) {
        return;
    }
    if (event->type() == QAccessible::Focus) {
        enteringField = nullptr;
        leavingField = nullptr;
    }
    // Qt offers no way to hand an event on but to send it again with no
    // handler installed.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(PassOnUpdate);
}

class FieldFocusWatch : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const bool focusChange =
            event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut;
        if (focusChange && IsOwnField(watched)) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            // A popup or another window takes the focus without Qt telling
            // of a new focus widget; nothing is held back then.
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
                (event->type() == QEvent::FocusIn ? enteringField : leavingField) = watched;
            }
        }
        return false;
    }
};

QAccessibleInterface* WidgetFactory(const QString& className, QObject* object)
{
    if (object == nullptr || !object->isWidgetType()) {
        return nullptr;
    }
    if (className == QLatin1String("QLineEdit")) {
        return new LineEditAccessible(static_cast<QLineEdit*>(object));
    }
    // Asked for the most derived class first (QDoubleSpinBox), before Qt's own.
    if (auto* box = qobject_cast<QAbstractSpinBox*>(object)) {
        return new SpinBoxAccessible(box);
    }
    if (className == QLatin1String("QLabel")) {
        auto* label = static_cast<QLabel*>(object);
        // A picture keeps Qt's own interface.
        return label->pixmap().isNull() ? new LabelAccessible(label) : nullptr;
    }
    if (className == QLatin1String("SpokenNotice")) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    }
    return nullptr;
}

} // namespace

// TextAnswers

int TextAnswers::resolved(int offset) const
{
    if (offset == -1) {
        return characterCount();
    }
    return offset == -2 ? cursorPosition() : offset;
}

QString TextAnswers::text(int startOffset, int endOffset) const
{
    if (startOffset < 0 || endOffset < startOffset) {
        return {};
    }
    return content().mid(startOffset, endOffset - startOffset);
}

QString TextAnswers::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                  int* startOffset, int* endOffset) const
{
    return Answer(TextSegmentAt(content(), resolved(offset), boundaryType), startOffset, endOffset)
        .text;
}

QString TextAnswers::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                      int* startOffset, int* endOffset) const
{
    return Answer(TextSegmentBefore(content(), resolved(offset), boundaryType), startOffset,
                  endOffset)
        .text;
}

QString TextAnswers::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                     int* startOffset, int* endOffset) const
{
    return Answer(TextSegmentAfter(content(), resolved(offset), boundaryType), startOffset,
                  endOffset)
        .text;
}

int TextAnswers::characterCount() const
{
    return static_cast<int>(content().size());
}

QString TextAnswers::attributes(int offset, int* startOffset, int* endOffset) const
{
    const int length = characterCount();
    const int at = resolved(offset);
    if (at < 0 || at > length) {
        *startOffset = *endOffset = -1;
    } else {
        *startOffset = 0;
        *endOffset = length;
    }
    return {};
}

void TextAnswers::selection(int, int* startOffset, int* endOffset) const
{
    *startOffset = *endOffset = 0;
}

// LineEditAccessible

LineEditAccessible::LineEditAccessible(QLineEdit* edit)
    : QAccessibleWidget(edit, QAccessible::EditableText)
{
}

QLineEdit* LineEditAccessible::lineEdit() const
{
    return static_cast<QLineEdit*>(widget());
}

void* LineEditAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface) {
        return static_cast<QAccessibleTextInterface*>(this);
    }
    if (type == QAccessible::EditableTextInterface) {
        return static_cast<QAccessibleEditableTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QString LineEditAccessible::text(QAccessible::Text kind) const
{
    if (kind == QAccessible::Value) {
        return lineEdit()->displayText();
    }
    QString text = QAccessibleWidget::text(kind);
    if (text.isEmpty() && kind == QAccessible::Description) {
        text = lineEdit()->placeholderText();
    }
    return text;
}

void LineEditAccessible::setText(QAccessible::Text kind, const QString& text)
{
    if (kind == QAccessible::Value) {
        lineEdit()->setText(text);
    } else {
        QAccessibleWidget::setText(kind, text);
    }
}

QAccessible::State LineEditAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = true;
    state.readOnly = lineEdit()->isReadOnly();
    state.passwordEdit = lineEdit()->echoMode() != QLineEdit::Normal;
    state.selectableText = true;
    return state;
}

// LineEditText

QString LineEditText::content() const
{
    return lineEdit()->displayText();
}

void LineEditText::selection(int selectionIndex, int* startOffset, int* endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex == 0 && lineEdit()->hasSelectedText()) {
        *startOffset = static_cast<int>(lineEdit()->selectionStart());
        *endOffset = *startOffset + static_cast<int>(lineEdit()->selectionLength());
    }
}

int LineEditText::selectionCount() const
{
    return lineEdit()->hasSelectedText() ? 1 : 0;
}

void LineEditText::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void LineEditText::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0) {
        lineEdit()->deselect();
    }
}

void LineEditText::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0) {
        lineEdit()->setSelection(startOffset, endOffset - startOffset);
    }
}

int LineEditText::cursorPosition() const
{
    return lineEdit()->cursorPosition();
}

void LineEditText::setCursorPosition(int position)
{
    lineEdit()->setCursorPosition(position);
}

// Measured from the caret, whose place the edit reports with its scrolling
// taken into account.
QRect LineEditText::characterRect(int offset) const
{
    const QString shown = content();
    if (offset < 0 || offset >= shown.size()) {
        return {};
    }
    const QFontMetrics metrics(lineEdit()->font());
    const QRect caret = lineEdit()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const int x = caret.x() + metrics.horizontalAdvance(shown.left(offset)) -
                  metrics.horizontalAdvance(shown.left(cursorPosition()));
    const QRect rect(x, caret.y(), metrics.horizontalAdvance(shown.mid(offset, 1)),
                     metrics.height());
    return {lineEdit()->mapToGlobal(rect.topLeft()), rect.size()};
}

int LineEditText::offsetAtPoint(const QPoint& point) const
{
    return lineEdit()->cursorPositionAt(lineEdit()->mapFromGlobal(point));
}

void LineEditText::scrollToSubstring(int startIndex, int endIndex)
{
    lineEdit()->setCursorPosition(endIndex);
    lineEdit()->setCursorPosition(startIndex);
}

void LineEditText::deleteText(int startOffset, int endOffset)
{
    lineEdit()->setText(lineEdit()->text().remove(startOffset, endOffset - startOffset));
}

void LineEditText::insertText(int offset, const QString& text)
{
    lineEdit()->setText(lineEdit()->text().insert(offset, text));
}

void LineEditText::replaceText(int startOffset, int endOffset, const QString& text)
{
    lineEdit()->setText(lineEdit()->text().replace(startOffset, endOffset - startOffset, text));
}

// LabelAccessible

LabelAccessible::LabelAccessible(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText)
{
}

QLabel* LabelAccessible::label() const
{
    return static_cast<QLabel*>(widget());
}

void* LabelAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface) {
        return static_cast<QAccessibleTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QString LabelAccessible::text(QAccessible::Text kind) const
{
    if (kind == QAccessible::Name && label()->accessibleName().isEmpty()) {
        return content();
    }
    return QAccessibleWidget::text(kind);
}

// A label names its buddy.
QList<std::pair<QAccessibleInterface*, QAccessible::Relation>>
LabelAccessible::relations(QAccessible::Relation match) const
{
    auto found = QAccessibleWidget::relations(match);
    if ((match & QAccessible::Labelled) && label()->buddy() != nullptr) {
        if (QAccessibleInterface* buddy = QAccessible::queryAccessibleInterface(label()->buddy())) {
            found.emplace_back(buddy, QAccessible::Labelled);
        }
    }
    return found;
}

QString LabelAccessible::content() const
{
    return PlainLabelText(label());
}

void InstallAccessibleWidgets()
{
    static const bool installed = [] {
        QAccessible::installFactory(WidgetFactory);
        qApp->installEventFilter(new FieldFocusWatch(qApp));
        QAccessible::installUpdateHandler(PassOnUpdate);
        return true;
    }();
    Q_UNUSED(installed);
}
