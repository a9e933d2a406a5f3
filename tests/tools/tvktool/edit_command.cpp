// tvktool edit IN.tvk OUT.tvk: applies the steps read from standard input, one a line,
// fields separated by Tab, and writes the table file.
#include "edit_steps.h"
#include "tvktool_commands.h"

#include <QTextStream>

namespace {

// False after telling why the line is no step.
bool runStep(EditUi &ui, const QString &line)
{
    const QString name = line.section(QChar('\t'), 0, 0);
    const QString argument = line.section(QChar('\t'), 1);
    const EditStep *step = findEditStep(name);
    if (!step || step->takesArgument == argument.isEmpty()) {
        QTextStream(stderr) << "tvktool edit: not a step: " << line << '\n';
        return false;
    }
    step->run(ui, argument);
    if (name != QLatin1String("answer"))
        ui.dropUnusedAnswers();
    return true;
}

} // namespace

int editCommand(const QStringList &arguments)
{
    const QString in = arguments[0];
    if (!loadTableFile(in))
        return 1;
    EditSheet sheet;
    auto owned = std::make_unique<EditUi>(sheet);
    EditUi &ui = *owned;
    installUiServices(std::move(owned));
    QTextStream input(stdin);
    for (QString line; input.readLineInto(&line);) {
        if (!line.isEmpty() && !runStep(ui, line))
            return 2;
    }
    return writeLoadedTable(in, arguments[1]) ? 0 : 1;
}
