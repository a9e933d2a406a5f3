// The XML document window's tree over a large document: a 50 MB document of 1M tree
// nodes parsed and shown, and a node of 100,000 children expanded. Runs offscreen.
#include "designer/gui/xml_document_window.h"
#include "designer/xml_tree_model.h"
#include "designer/xml_tree_parser.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

// Rows of five tree nodes (the row, its attribute and three elements with text).
QString writeRows(const QString &name, int rows, int descriptionLength)
{
    const QString path = folder().filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    const QByteArray description(descriptionLength, 'd');
    file.write("<rows>\n");
    for (int row = 0; row < rows; ++row) {
        const QByteArray n = QByteArray::number(row);
        file.write("  <row id=\"" + n + "\"><name>Item " + n + "</name><price>12.50</price><desc>" +
                   description + "</desc></row>\n");
    }
    file.write("</rows>\n");
    return path;
}

qint64 statusKiB(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

// The tree view shows the model with its document node expanded.
void show(XmlTreeWidget &view, XmlTreeModel &model)
{
    view.setModel(&model);
    view.resize(600, 800);
    view.show();
    view.expand(model.indexOf(XmlTree::documentNode));
}

void BM_LoadAndShowMillionNodes(benchmark::State &state)
{
    static const QString path = writeRows("large.xml", 200000, 195);
    const double fileMiB = double(QFile(path).size()) / (1 << 20);
    double treeMiB = 0;
    for (auto _ : state) {
        const qint64 before = statusKiB("VmRSS:");
        XmlTreeParse parsed = parseXmlTree(path, path);
        XmlTreeModel model;
        model.setTree(parsed.tree);
        XmlTreeWidget view;
        show(view, model);
        QApplication::processEvents();
        treeMiB = double(statusKiB("VmRSS:") - before) / 1024;
        state.counters["nodes"] = parsed.tree->nodeCount();
    }
    state.counters["file_MiB"] = fileMiB;
    state.counters["rss_growth_MiB"] = treeMiB;
    state.counters["peak_rss_MiB"] = double(statusKiB("VmHWM:")) / 1024;
}
BENCHMARK(BM_LoadAndShowMillionNodes)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ExpandHundredThousandChildren(benchmark::State &state)
{
    static const QString path = writeRows("wide.xml", 100000, 0);
    const XmlTreeParse parsed = parseXmlTree(path, path);
    XmlTreeModel model;
    model.setTree(parsed.tree);
    XmlTreeWidget view;
    show(view, model);
    const QModelIndex rows = model.index(0, 0, model.indexOf(XmlTree::documentNode));
    for (auto _ : state) {
        view.expand(rows);
        QApplication::processEvents();
        state.PauseTiming();
        view.collapse(rows);
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["children"] = model.rowCount(rows);
}
BENCHMARK(BM_ExpandHundredThousandChildren)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
