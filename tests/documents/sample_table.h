#pragma once

// A small table in slot 0, shared by the table-file tests: two columns (the first with two
// attributes), a value holding CR LF, windows, two code editors of the slot and one of
// another slot, and five of the six side files (".txp" is missing).

#include "documents/table_document.h"
#include "documents/text_files.h"
#include "documents/workspace.h"

#include <QFile>
#include <QString>

inline void setGeometry(WindowGeometry &geometry, double left, double top, double width,
                        double height)
{
    geometry = WindowGeometry{left, top, width, height};
}

inline void buildSampleTable(const QString &tablePath)
{
    Workspace &ws = workspace();
    ws.curTable = 0;
    ws.slotUsed[0] = true;
    TableDocument &doc = ws.current();
    doc.reset();
    doc.tablePath = tablePath;
    doc.xmlPath = "/data/people.xml";
    doc.xmlText = "<people/>";
    doc.store.set("Xpath-Table", "/people/person");
    doc.store.set("Type-name", "Text (HTML segment)");
    doc.store.set("CSS-Table", "td {\r\n color: red }");
    doc.tree.add("Table", "name", "name");
    doc.tree.add("name", "name-value", "value");
    doc.tree.add("name", "name-style", "style");
    doc.tree.add("Table", "age", "age");

    setGeometry(doc.geometryOf(SlotWindow::Prop), 0, 0, 3000, 6000.5);
    setGeometry(doc.geometryOf(SlotWindow::Parser), 10, 20, 4000, 5000);
    setGeometry(doc.geometryOf(SlotWindow::Rep), 30, 40, 2500.25, 1000);
    setGeometry(doc.geometryOf(SlotWindow::Result), 50, 60, 7000, 8000);
    setGeometry(doc.geometryOf(SlotWindow::XslCode), 70, 80, 900, 1100);
    doc.xslFileName = "people.xsl";
    doc.xslFileDir = "/out/";
    doc.autoReload = 1;
    doc.propShown = doc.parserShown = doc.repShown = true;
    doc.resultShown = doc.xslCodeShown = false;
    doc.xmlNodeIndex = 3;

    auto editor = [&](size_t index, int slot, const QString &element, const QString &kind,
                      bool shown) -> CodeEditorRecord & {
        CodeEditorRecord &e = ws.xslEditForms[index];
        e.exists = true;
        e.myTab = slot;
        e.myElement = element;
        e.myFunction = kind;
        e.xslEditShown = shown;
        return e;
    };
    editor(0, 1, "age", "Xpath", true);
    setGeometry(editor(2, 0, "name-value", "Xpath", true).geometry, 100, 200, 5775, 3375);
    setGeometry(editor(5, 0, "Table", "CSS", false).geometry, 0, 0, 3000, 2000);

    doc.selectedNodeKey = "name-style";
    doc.selectedPropertyCaption = "Style";
    ws.showDetails = false;
    doc.rowLimitIndex = 2;

    const QString stem = tablePath.left(tablePath.size() - 4);
    writeFile(stem + ".xmf", "/data/people.xml", true);
    writeFile(stem + ".xsl", "<xsl/>", true);
    QFile::remove(stem + ".txp");
    writeFile(stem + ".txi", "", true);
    writeFile(stem + ".xmp", "/out/people.xsl", true);
    writeFile(stem + ".tic", "a\r\nb", true);
}

// The sample's table file, written out by hand in the order the format lays it down.
inline QByteArray sampleTableBytes()
{
    return QByteArray("/data/people.xml\x04"
                      // properties
                      "Properties\x02Properties\x03"
                      "Xpath-Table\x02/people/person\x03"
                      "Type-name\x02Text (HTML segment)\x03"
                      "CSS-Table\x02td {\r\n color: red }\x03"
                      "\x04"
                      // template
                      "Table\x02name\x02name\x03"
                      "name\x02name-value\x02value\x03"
                      "name\x02name-style\x02style\x03"
                      "Table\x02" "age\x02" "age\x03"
                      "\x04"
                      // W1-W5: height, width of property sheet, XML, table, preview, XSL
                      "6000.5\x02" "3000\x03"
                      "5000\x02" "4000\x03"
                      "1000\x02" "2500.25\x03"
                      "8000\x02" "7000\x03"
                      "1100\x02" "900\x03"
                      // W6-W10: left, top
                      "0\x02" "0\x03"
                      "10\x02" "20\x03"
                      "30\x02" "40\x03"
                      "50\x02" "60\x03"
                      "70\x02" "80\x03"
                      // W11-W14
                      "people.xsl\x02/out/\x03"
                      "\x02<people/>\x03"
                      "\x02\x03"
                      "1\x02" "0\x03"
                      // W15-W20
                      "True\x02\x03True\x02\x03True\x02\x03"
                      "False\x02\x03" "False\x02\x03"
                      "3\x02\x03"
                      // editors of slot 0 in pool order
                      "name-value\x02Xpath\x03" "3375\x02" "5775\x03" "100\x02" "200\x03"
                      "True\x02\x03"
                      "Table\x02" "CSS\x03" "2000\x02" "3000\x03" "0\x02" "0\x03"
                      "False\x02\x03"
                      "\x04"
                      // S1-S4
                      "name\x02Style\x03"
                      "\x02" "False\x03"
                      "\x02" "2\x03"
                      "-1\x02\x03"
                      // side files
                      "\x05/data/people.xml\x05<xsl/>\x05\x05\x05/out/people.xsl\x05"
                      "a\r\nb\x05"
                      "\r\n");
}
