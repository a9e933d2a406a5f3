#include "documents/progress_bar.h"

#include "documents/views/main_window_view.h"
#include "documents/workspace.h"

void setProgress(int percent)
{
    if (MainWindowView *view = workspace().mainWindow)
        view->setProgress(percent);
}

void letPendingEventsRun()
{
    if (MainWindowView *view = workspace().mainWindow)
        view->processPendingEvents();
}
