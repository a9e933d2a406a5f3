#include "edit_ui.h"

#include <QTextStream>

void EditUi::message(const QString &text)
{
    QString line = text;
    line.replace(QStringLiteral("\r\n"), QStringLiteral("\\n"));
    QTextStream(stderr) << line << '\n';
}
