#include "InfoWidgets.h"

#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "VeskResources.h"
#include "modCommonChecks.h"

namespace {

QLabel* AddLabel(QWidget* window, const char* name, const QString& text, const QRect& rect,
                 bool bold)
{
    auto* label = new QLabel(text, window);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(rect);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

// Draws the indicator through the style, then the caption word-wrapped in
// the room the style leaves beside it.
void PaintWrapped(QAbstractButton* button, QStyleOptionButton& option, QStyle::ControlElement control,
                  QStyle::SubElement contents)
{
    const QString caption = option.text;
    option.text.clear();
    QStylePainter painter(button);
    painter.drawControl(control, option);
    option.text = caption;
    const QRect textRect = button->style()->subElementRect(contents, &option, button);
    painter.drawItemText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                         option.palette, button->isEnabled(), caption, QPalette::WindowText);
}

} // namespace

QLabel* AddHeading(QWidget* window, const char* name, const QString& text, int left, int top,
                   int width, int height)
{
    return AddLabel(window, name, text, TwipsRect(left, top, width, height), true);
}

QLabel* AddBody(QWidget* window, const char* name, const QString& text, int left, int top,
                int width, int height)
{
    return AddLabel(window, name, text, TwipsRect(left, top, width, height), false);
}

QPushButton* AddButton(QWidget* window, const char* name, const QString& text, int left,
                       int top, int width, int height)
{
    auto* button = new QPushButton(text, window);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(TwipsRect(left, top, width, height));
    return button;
}

void SetUpInfoWindow(QWidget* window, const QString& caption)
{
    window->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    window->setWindowTitle(caption);
    InitVeskResources();
    window->setWindowIcon(QIcon(QStringLiteral(":/icons/lightning.png")));
}

void WrappingRadioButton::paintEvent(QPaintEvent*)
{
    QStyleOptionButton option;
    initStyleOption(&option);
    PaintWrapped(this, option, QStyle::CE_RadioButton, QStyle::SE_RadioButtonContents);
}

void WrappingCheckBox::paintEvent(QPaintEvent*)
{
    QStyleOptionButton option;
    initStyleOption(&option);
    PaintWrapped(this, option, QStyle::CE_CheckBox, QStyle::SE_CheckBoxContents);
}
