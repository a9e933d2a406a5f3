#include "platform/widgets/gui/one_line_label.h"

OneLineLabel::OneLineLabel(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void OneLineLabel::setLine(const QString &text)
{
    whole = text;
    fit();
}

QSize OneLineLabel::sizeHint() const
{
    return {fontMetrics().horizontalAdvance(whole), fontMetrics().height()};
}

QSize OneLineLabel::minimumSizeHint() const { return {0, fontMetrics().height()}; }

void OneLineLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    fit();
}

void OneLineLabel::fit()
{
    setText(fontMetrics().elidedText(whole, Qt::ElideRight, contentsRect().width()));
}
