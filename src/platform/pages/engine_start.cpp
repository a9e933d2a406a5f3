#include "platform/pages/engine_start.h"

#include <QByteArray>
#include <QtGlobal>
#include <cstdio>
#include <unistd.h>

namespace {

void limitRendererProcesses()
{
    const QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--renderer-process-limit"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags + " --renderer-process-limit=4");
}

bool sandboxTurnedOff()
{
    return !qgetenv("QTWEBENGINE_DISABLE_SANDBOX").isEmpty() ||
           qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").contains("--no-sandbox");
}

void leaveSandboxUnderRoot()
{
    if (geteuid() != 0 || sandboxTurnedOff())
        return;
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    std::fputs("Tarvik: warning: running as root, the browser engine that shows pages starts "
               "without its sandbox. Run Tarvik as an ordinary user to keep pages sandboxed.\n",
               stderr);
}

} // namespace

void prepareBrowserEngine()
{
    limitRendererProcesses();
    leaveSandboxUnderRoot();
}
