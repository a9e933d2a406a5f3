#pragma once

// Stand-ins for a slot's windows that record what the model asks of them.

#include "documents/views/preview_view.h"
#include "documents/views/property_sheet_view.h"
#include "documents/views/table_tree_view.h"
#include "documents/views/window_frame_view.h"
#include "documents/views/xml_tree_view.h"
#include "documents/views/xsl_code_view.h"
#include "documents/workspace.h"

#include <QStringList>

// A window of the given kind whose calls are recorded in order.
template <class View>
struct Recording : View {
    QStringList calls;
};

// A code editor's window frame.
struct RecordingFrame final : Recording<WindowFrameView> {
    void applyGeometry(const WindowGeometry &g) override
    {
        calls.append(QStringLiteral("geometry %1 %2 %3 %4")
                         .arg(g.left).arg(g.top).arg(g.width).arg(g.height));
    }
    void setShown(bool shown) override { calls.append(shown ? "shown" : "hidden"); }
};

struct RecordingXmlTree final : Recording<XmlTreeView> {
    void loadXMLFile() override { calls.append("loadXMLFile"); }
    void selectNodeIndex(int index) override { calls.append(QString("select %1").arg(index)); }
    void scrollLeft() override { calls.append("scrollLeft"); }
};

struct RecordingTableTree final : Recording<TableTreeView> {
    void fillProps() override { calls.append("fillProps"); }
    void doTClick() override { calls.append("doTClick"); }
    void showTree() override { calls.append("showTree"); }
    void selectNode(const QString &key) override { calls.append("select " + key); }
    void scrollLeft() override { calls.append("scrollLeft"); }
};

struct RecordingSheet final : Recording<PropertySheetView> {
    void setLoading(bool loading) override { calls.append(loading ? "loading" : "loaded"); }
    void selectRow(const QString &caption) override { calls.append("row " + caption); }
};

struct RecordingPreview final : Recording<PreviewView> {
    void runit_Click() override { calls.append("runit"); }
    void setRowLimitIndex(int index) override
    {
        calls.append(QString("rows %1 uiReady %2").arg(index).arg(workspace().uiReady));
    }
    void setAutoReload(int value) override { calls.append(QString("autoReload %1").arg(value)); }
};

struct RecordingXslCode final : Recording<XslCodeView> {
    void showGenerated() override { calls.append("showGenerated"); }
};

// All five windows of the current slot, installed for the object's lifetime.
struct RecordingSlotViews {
    RecordingXmlTree parser;
    RecordingTableTree rep;
    RecordingSheet allProp;
    RecordingPreview result;
    RecordingXslCode xslCode;

    RecordingSlotViews() { workspace().currentViews() = {&parser, &rep, &allProp, &result, &xslCode}; }
    ~RecordingSlotViews() { workspace().currentViews() = {}; }
};
