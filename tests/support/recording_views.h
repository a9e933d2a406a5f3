#pragma once

#include "documents/views/preview_view.h"
#include "documents/views/slot_views.h"
#include "documents/views/table_tree_view.h"
#include "documents/views/xml_tree_view.h"
#include "documents/views/xsl_code_view.h"
#include "documents/workspace.h"

#include <QStringList>

// One stand-in for the four windows the menu commands reach; each command is recorded as
// "window.procedure" in one shared list.
class RecordingViews final : public XmlTreeView,
                             public TableTreeView,
                             public PreviewView,
                             public XslCodeView {
public:
    QStringList calls;

    // Puts the stand-ins into a slot's window set.
    void attach(SlotViews &views)
    {
        views.parser = this;
        views.rep = this;
        views.result = this;
        views.xslCode = this;
    }

    void loadXMLFile() override { calls << "parser.loadXMLFile"; }
    void selectNodeIndex(int) override {}
    void scrollLeft() override { calls << "scrollLeft"; }
    // The XML file preset for the call, if any, follows in brackets.
    void cmdBrowse_Click() override
    {
        const QString preset = workspace().presetXmlPath;
        calls << "parser.cmdBrowse_Click" + (preset.isEmpty() ? "" : " [" + preset + "]");
    }
    void makeit_Click() override { calls << "parser.makeit_Click"; }

    void fillProps() override { calls << "rep.fillProps"; }
    void doTClick() override { calls << "rep.doTClick"; }
    void showTree() override {}
    void selectNode(const QString &key) override { calls << "rep.selectNode " + key; }
    void addit_Click() override { calls << "rep.addit_Click"; }
    void removeit_Click() override { calls << "rep.removeit_Click"; }
    void ren_Click() override { calls << "rep.ren_Click"; }
    void badd_Click() override { calls << "rep.badd_Click"; }
    void bdel_Click() override { calls << "rep.bdel_Click"; }
    void edX_Click() override { calls << "rep.edX_Click"; }
    void mup_Click() override { calls << "rep.mup_Click"; }
    void mdown_Click() override { calls << "rep.mdown_Click"; }

    void runit_Click() override { calls << "result.runit_Click"; }
    void setRowLimitIndex(int) override {}
    void setAutoReload(int) override {}
    void rbrowser_Click() override { calls << "result.rbrowser_Click"; }
    void goback_Click() override { calls << "result.goback_Click"; }
    void goforward_Click() override { calls << "result.goforward_Click"; }
    void stopit_Click() override { calls << "result.stopit_Click"; }
    void showRendered(const RenderOutcome &outcome) override
    {
        rendered << outcome;
        calls << "result.showRendered";
    }
    void clearPage() override { calls << "result.clearPage"; }
    void highlightCell(const PreviewHighlight &request) override
    {
        highlights << request;
        calls << "result.highlightCell " + request.column;
    }
    QList<RenderOutcome> rendered;
    QList<PreviewHighlight> highlights;

    void showGenerated() override { calls << "xslCode.showGenerated"; }
    void clearCode() override { calls << "xslCode.clearCode"; }
    void findText(const QString &text, bool showNotFound) override
    {
        calls << "xslCode.findText " + text + (showNotFound ? " [tell]" : "");
    }
};
