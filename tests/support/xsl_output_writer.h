#pragma once

#include "documents/text_files.h"
#include "documents/views/xsl_code_view.h"
#include "documents/workspace.h"

#include <QStringList>

// A stylesheet view for every slot: records each save and writes a stand-in stylesheet
// where the slot's XSL output goes, as the real view writes the generated one.
class XslOutputWriter final : public XslCodeView {
public:
    QStringList written;

    XslOutputWriter()
    {
        for (SlotViews &views : workspace().views)
            views.xslCode = this;
    }
    ~XslOutputWriter() override
    {
        for (SlotViews &views : workspace().views)
            if (views.xslCode == this)
                views.xslCode = nullptr;
    }

    void applyGeometry(const WindowGeometry &) override {}
    void setShown(bool) override {}
    void savePage() override
    {
        const TableDocument &doc = workspace().current();
        written << doc.xslFileDir + doc.xslFileName;
        writeFile(written.last(), "<xsl:stylesheet/>", true);
    }
};
