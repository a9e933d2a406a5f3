#include "mainwindow/window_layout.h"

#include "documents/workspace.h"
#include "platform/ui/ui_services.h"

#include <cmath>

namespace {

// Order in which the fit and the timer visit a slot's windows.
constexpr SlotWindow visitOrder[] = {SlotWindow::Prop, SlotWindow::Parser, SlotWindow::Rep,
                                     SlotWindow::Result, SlotWindow::XslCode};

template <typename Visit> void forCurrentEditors(Workspace &ws, int from, int to, Visit visit)
{
    for (int i = from; i <= to && i < codeEditorPoolSize; ++i) {
        CodeEditorRecord &editor = ws.xslEditForms[size_t(i)];
        if (editor.exists && editor.myTab == ws.curTable)
            visit(editor);
    }
}

void keepBelow(WindowGeometry &g, double bottom)
{
    if (bottom <= g.top)
        return;
    const double d = bottom - g.top;
    g.top = bottom;
    if (g.height - d >= 0) // a negative height is refused; the window keeps its height
        g.height -= d;
}

} // namespace

double twipsPerPixel(double logicalDpi) { return logicalDpi > 0 ? 1440.0 / logicalDpi : 15.0; }

void defaultPos(double clientWidth, double clientHeight, TwipsPerPixel screen)
{
    Workspace &ws = workspace();
    TableDocument &doc = ws.current();
    doc.propShown = doc.parserShown = doc.repShown = doc.resultShown = true;
    doc.xslCodeShown = false;
    forCurrentEditors(ws, 0, codeEditorPoolSize - 1,
                      [](CodeEditorRecord &editor) { editor.xslEditShown = false; });

    const double sw = clientWidth;
    const double sh = clientHeight;
    const double gapX = std::round(3 * screen.tpx);
    const double gapY = std::round(3 * screen.tpy);
    const double w3 = sw / 3 - gapX;

    WindowGeometry &parser = doc.geometryOf(SlotWindow::Parser);
    parser = {0, 0, w3, sh / 2};
    WindowGeometry &rep = doc.geometryOf(SlotWindow::Rep);
    rep = {parser.left + parser.width, 0, w3, sh / 2};
    WindowGeometry &prop = doc.geometryOf(SlotWindow::Prop);
    prop = {rep.left + rep.width, 0, w3, sh};
    doc.geometryOf(SlotWindow::Result) = {0, sh / 2, prop.left, sh / 2 - gapY};
    doc.geometryOf(SlotWindow::XslCode) = {sw / 8, sh / 8, sw * 3 / 4, sh * 3 / 4};
    forCurrentEditors(ws, 0, codeEditorPoolSize - 1, [&](CodeEditorRecord &editor) {
        editor.geometry = {sw * 3 / 8, sh / 6, 410 * screen.tpx, 225 * screen.tpy};
    });
}

void fitContainer(LayoutState &state, double mainWidth, double mainHeight)
{
    if (state.lastClientWidth == 0 || state.lastClientHeight == 0)
        return;
    const double rx = mainWidth / double(state.lastClientWidth);
    const double ry = mainHeight / double(state.lastClientHeight);
    state.lastClientWidth = std::lround(mainWidth);
    state.lastClientHeight = std::lround(mainHeight);

    const auto scale = [rx, ry](WindowGeometry &g) {
        g.width *= rx;
        g.height *= ry;
        g.top *= ry;
        g.left *= rx;
    };
    Workspace &ws = workspace();
    for (SlotWindow window : visitOrder)
        scale(ws.current().geometryOf(window));
    forCurrentEditors(ws, 0, codeEditorPoolSize - 1,
                      [&](CodeEditorRecord &editor) { scale(editor.geometry); });
}

void checkPos(LayoutState &state, double stripBottom, TwipsPerPixel screen)
{
    Workspace &ws = workspace();
    for (SlotWindow window : visitOrder)
        keepBelow(ws.current().geometryOf(window), stripBottom);
    forCurrentEditors(ws, state.editorScanStart, state.editorScanStart + 40,
                      [&](CodeEditorRecord &editor) {
                          WindowGeometry &g = editor.geometry;
                          keepBelow(g, stripBottom);
                          g.width = std::max(g.width, 385 * screen.tpx);
                          g.height = std::max(g.height, 225 * screen.tpy);
                      });
    state.editorScanStart += 40;
    if (state.editorScanStart >= 120)
        state.editorScanStart = 0;
}

std::optional<SlotWindow> showOneWindow(int index)
{
    const TableDocument &doc = workspace().current();
    if (doc.tablePath.isEmpty()) {
        ui().message(QStringLiteral("Open a table, or create new table to show windows."));
        return std::nullopt;
    }
    std::optional<SlotWindow> window;
    switch (index) {
    case 20:
        return SlotWindow::Parser;
    case 25:
        window = SlotWindow::Rep;
        break;
    case 35:
        window = SlotWindow::Prop;
        break;
    case 40:
        window = SlotWindow::Result;
        break;
    case 45:
        window = SlotWindow::XslCode;
        break;
    default:
        return std::nullopt;
    }
    if (doc.xmlPath.isEmpty()) {
        ui().message(QStringLiteral("Open XML file to show windows."));
        return std::nullopt;
    }
    return window;
}
