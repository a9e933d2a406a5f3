#include "documents/once_only_tips.h"

#include "documents/progress_bar.h"
#include "documents/settings_files.h"
#include "documents/text_files.h"
#include "documents/views/tip_view.h"
#include "documents/workspace.h"

#include <QDir>

namespace {

const QString markerPrefix = QStringLiteral("set-tip");
const QString shownMark = QStringLiteral("done");

bool unsafeInFileName(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7f || QStringLiteral("/\\:*?\"<>|%").contains(c);
}

QString encodedKey(const QString &key)
{
    QString out;
    out.reserve(key.size());
    for (const QChar c : key) {
        if (unsafeInFileName(c))
            out += QStringLiteral("%%1").arg(c.unicode(), 2, 16, QChar('0')).toUpper();
        else
            out += c;
    }
    return out;
}

// The balloon for a tip not shown before; nothing without a tip view or a control.
void offerTip(QObject *control, std::optional<QPoint> point, const TipText &tip)
{
    TipView *view = workspace().tipView;
    if (!view || !control || !tipNotYetShown(tip.key))
        return;
    QString text = tip.text;
    addCloseHint(text);
    view->showBalloon(control, point, text, tip.title);
}

} // namespace

QObject *tipControl(SlotWindow window, const QString &name)
{
    const TipView *view = workspace().tipView;
    return view ? view->slotControl(window, name) : nullptr;
}

QString tipMarkerPath(const QString &key)
{
    return tablesFolder() + QChar('/') + markerPrefix + encodedKey(key);
}

bool tipNotYetShown(const QString &key)
{
    const QString path = tipMarkerPath(key);
    if (readFile(path) == shownMark)
        return false;
    writeFile(path, shownMark, false);
    return true;
}

void addCloseHint(QString &text)
{
    text += QStringLiteral("\r\n\r\nClick mouse or Esc to close me.");
}

void deleteTipMarkers()
{
    const QDir tables(tablesFolder());
    for (const QString &name : tables.entryList({markerPrefix + QChar('*')}, QDir::Files)) {
        const QString path = tables.filePath(name);
        if (readFile(path) == shownMark)
            deleteFile(path);
    }
}

void showTipAtControl(QObject *control, const TipText &tip)
{
    offerTip(control, std::nullopt, tip);
}

void showTipAtNode(QObject *tree, const TipText &tip)
{
    TipView *view = workspace().tipView;
    const QRect node = view && tree ? view->nodeRect(tree) : QRect();
    if (!node.isNull())
        offerTip(tree, QPoint(node.right(), node.bottom()), tip);
}

void showTipAtCaret(QObject *control, int x, int y, const TipText &tip)
{
    letPendingEventsRun();
    offerTip(control, QPoint(x, y), tip);
}
