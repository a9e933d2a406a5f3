// A generated page of 10,000, 100,000 and 300,000 rows of a six-column table of "Text" or of
// "Text (HTML segment)" in the preview window, from navigation to the page's load event and
// to its first rows in the page: served under its page address, and the same file opened
// from its file: URL. Runs offscreen; the browser needs
// QTWEBENGINE_DISABLE_SANDBOX=1 when run as root.
#include "generator/gui/preview_window.h"
#include "generator/preview_render.h"
#include "generator/xsl_generator.h"
#include "platform/pages/gui/local_page.h"
#include "platform/xslt/xslt_transform.h"
#include "rows_table.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>
#include <QWebEngineView>
#include <benchmark/benchmark.h>
#include <map>

namespace {

// A table of that many rows rendered once: its page file and the page's address.
struct RenderedPage {
    QTemporaryDir dir;
    QString file;
    QUrl address;
};

const QString columnTypes[] = {QStringLiteral("Text"), QStringLiteral("Text (HTML segment)")};

const RenderedPage &pageOf(int rowCount, int type)
{
    static std::map<std::pair<int, int>, RenderedPage> pages;
    RenderedPage &page = pages[{rowCount, type}];
    if (page.file.isEmpty()) {
        bench::buildRowsTable(page.dir, rowCount, columnTypes[type]);
        generateXSLCode(false);
        RenderOutcome outcome;
        renderGenerated(RunTrust::Trusted, true, outcome);
        page.file = outcome.pagePath;
        page.address = QUrl(outcome.pageUrl);
    }
    return page;
}

void BM_PageLoad(benchmark::State &state)
{
    const RenderedPage &page = pageOf(int(state.range(0)), int(state.range(2)));
    const bool served = state.range(1) != 0;
    double firstRows = 0;
    const QUrl url = served ? page.address : QUrl::fromLocalFile(page.file);
    for (auto _ : state) {
        PreviewWindow window(0);
        window.resize(1000, 700);
        window.show();
        QEventLoop loading;
        bool loaded = false;
        QObject::connect(window.web, &QWebEngineView::loadFinished, [&](bool ok) {
            loaded = ok;
            loading.quit();
        });
        QElapsedTimer elapsed;
        // Asked between the parser's pieces: when its rows reach the page.
        QTimer rowsAsked;
        QObject::connect(&rowsAsked, &QTimer::timeout, [&] {
            window.web->page()->runJavaScript(
                QStringLiteral("document.getElementsByTagName('tr').length"), [&](const QVariant &rows) {
                    if (firstRows == 0 && rows.toInt() > 10)
                        firstRows = double(elapsed.elapsed());
                });
        });
        rowsAsked.start(50);
        elapsed.start();
        window.web->load(url);
        loading.exec();
        state.SetIterationTime(double(elapsed.nsecsElapsed()) / 1e9);
        if (!loaded)
            state.SkipWithError("the page did not load");
    }
    state.SetLabel(QStringLiteral("%1, %2").arg(served ? "served" : "file", columnTypes[state.range(2)]).toStdString());
    state.counters["first_rows_ms"] = firstRows;
    state.counters["page_MB"] = double(QFileInfo(page.file).size()) / (1 << 20);
}
BENCHMARK(BM_PageLoad)
    ->ArgsProduct({{10000, 100000, 300000}, {1, 0}, {0, 1}})
    ->ArgNames({"rows", "served", "type"})
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1);

} // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    initialiseXslt();
    registerPageScheme();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
