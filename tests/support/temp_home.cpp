#include "support/temp_home.h"

#include "documents/workspace.h"

#include <QDir>

TempHome::TempHome()
    : previousHome(qgetenv("TARVIK_HOME")), hadHome(qEnvironmentVariableIsSet("TARVIK_HOME")),
      previousFolder(QDir::currentPath())
{
    qputenv("TARVIK_HOME", dir.path().toUtf8());
    resetWorkspace();
}

TempHome::~TempHome()
{
    if (hadHome)
        qputenv("TARVIK_HOME", previousHome);
    else
        qunsetenv("TARVIK_HOME");
    resetWorkspace();
    QDir::setCurrent(previousFolder);
}
