#pragma once

#include <QLabel>

// A label that keeps its text on one line, cut short with "..." to the width its layout
// gives it; it asks for no width of its own, so a long text never widens its window.
class OneLineLabel final : public QLabel {
public:
    explicit OneLineLabel(QWidget *parent = nullptr);

    void setLine(const QString &text);
    // The whole text, of which the label shows what fits.
    const QString &line() const { return whole; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void fit();

    QString whole;
};
