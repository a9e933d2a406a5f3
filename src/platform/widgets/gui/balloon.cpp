#include "platform/widgets/gui/balloon.h"

#include <QAbstractScrollArea>
#include <algorithm>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QVBoxLayout>

namespace {

constexpr int tailHeight = 14;
constexpr int tailOffset = 24; // from the balloon's left edge to the tail's tip
constexpr int tailWidth = 14;
constexpr int radius = 8;
constexpr int margin = 10;

} // namespace

Balloon::Balloon(QWidget *parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint),
      titleLabel(new QLabel(this)),
      textLabel(new QLabel(this))
{
    setObjectName(QStringLiteral("Balloon"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    QFont bold = titleLabel->font();
    bold.setBold(true);
    titleLabel->setFont(bold);
    titleLabel->setObjectName(QStringLiteral("balloonTitle"));
    textLabel->setObjectName(QStringLiteral("balloonText"));
    textLabel->setTextFormat(Qt::PlainText);
    titleLabel->setTextFormat(Qt::PlainText);
    textLabel->setWordWrap(false);
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(6);
    layout->addWidget(titleLabel);
    layout->addWidget(textLabel);
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    setPalette(palette);
}

QColor Balloon::colour() { return QColor(0xff, 0xff, 0xc0); }

void Balloon::setContent(const QString &title, const QString &text)
{
    titleLabel->setText(title);
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    textLabel->setText(lines);
}

void Balloon::showAt(QWidget *control, std::optional<QPoint> point)
{
    QWidget *area = control;
    if (auto *scroll = qobject_cast<QAbstractScrollArea *>(control); scroll && point)
        area = scroll->viewport();
    anchorPoint = point ? *point : QPoint(control->width() / 2, control->height());
    follow(area);
    placeAt(area->mapToGlobal(anchorPoint));
    show();
    raise();
}

void Balloon::follow(QWidget *area)
{
    stopFollowing();
    anchor = area;
    for (QWidget *widget = area; widget; widget = widget->parentWidget()) {
        widget->installEventFilter(this);
        watched.append(widget);
    }
}

void Balloon::stopFollowing()
{
    for (const QPointer<QWidget> &widget : std::as_const(watched))
        if (widget)
            widget->removeEventFilter(this);
    watched.clear();
    anchor = nullptr;
}

bool Balloon::eventFilter(QObject *object, QEvent *event)
{
    if (anchor && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        placeAt(anchor->mapToGlobal(anchorPoint));
    return QWidget::eventFilter(object, event);
}

void Balloon::hideEvent(QHideEvent *event)
{
    stopFollowing();
    QWidget::hideEvent(event);
}

void Balloon::placeAt(QPoint target)
{
    tailTip = target;
    QScreen *screen = QWidget::screen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    // Size for the tail on top first; the tail's side decides the margins.
    tailOnTop = true;
    layout()->setContentsMargins(margin, margin + tailHeight, margin, margin);
    adjustSize();
    if (available.isValid() && target.y() + height() > available.bottom()) {
        tailOnTop = false;
        layout()->setContentsMargins(margin, margin, margin, margin + tailHeight);
        adjustSize();
    }
    int left = target.x() - tailOffset;
    if (available.isValid())
        left = std::clamp(left, available.left(),
                          std::max(available.left(), available.right() - width()));
    move(left, tailOnTop ? target.y() : target.y() - height());
    setMask(QRegion(outline().toFillPolygon().toPolygon()));
    update();
}

QPainterPath Balloon::outline() const
{
    const QRect body = tailOnTop ? rect().adjusted(0, tailHeight, -1, -1)
                                 : rect().adjusted(0, 0, -1, -1 - tailHeight);
    QPainterPath path;
    path.addRoundedRect(body, radius, radius);
    const int lowest = radius + tailWidth;
    const int tipX = std::clamp(mapFromGlobal(tailTip).x(), lowest,
                                std::max(lowest, width() - radius - tailWidth));
    // The tail's point on the balloon's edge, its base one pixel inside the body.
    const double edge = tailOnTop ? 0 : height() - 1;
    const double base = tailOnTop ? body.top() + 1 : body.bottom() - 1;
    QPainterPath tail;
    tail.addPolygon(
        QPolygonF({QPointF(tipX, edge), QPointF(tipX + tailWidth, base), QPointF(tipX, base)}));
    return path.united(tail);
}

void Balloon::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    setMask(QRegion(outline().toFillPolygon().toPolygon()));
}

void Balloon::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(colour());
    painter.setPen(QPen(Qt::black, 1));
    painter.drawPath(outline());
}
