#include "platform/pages/engine_start.h"
#include "platform/pages/gui/local_page.h"
#include "platform/xslt/xslt_transform.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // Widget tests never need a display; the browser runs without its sandbox as root.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    prepareBrowserEngine(); // pages share renderer processes as in the program
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    initialiseXslt(); // before any thread parses
    registerPageScheme();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
