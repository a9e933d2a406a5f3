#pragma once

#include <QList>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <optional>

class QLabel;

// A pale yellow balloon with a bold title and a text, its tail pointing at a control or
// at a point of one. It sits below the point, or above it where the screen ends, and
// follows the control while the control or its windows move.
class Balloon : public QWidget {
    Q_OBJECT
public:
    explicit Balloon(QWidget *parent = nullptr);

    static QColor colour();
    void setContent(const QString &title, const QString &text);
    // Points at the middle of the control's bottom edge, or at a point of its client area
    // (the viewport of a scroll area), and shows the balloon.
    void showAt(QWidget *control, std::optional<QPoint> point = std::nullopt);
    // The screen point the tail touches.
    QPoint tip() const { return tailTip; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QPainterPath outline() const;
    void follow(QWidget *area);
    void stopFollowing();
    void placeAt(QPoint target);

    QPointer<QWidget> anchor; // the control, or the viewport of a scroll area
    QPoint anchorPoint;       // in the anchor's coordinates
    QList<QPointer<QWidget>> watched;

    QLabel *titleLabel;
    QLabel *textLabel;
    bool tailOnTop = true;
    QPoint tailTip;
};
