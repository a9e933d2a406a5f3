// tvktool: reaches the table model from a terminal, with no window.
#include <QCoreApplication>
#include <QTextStream>

namespace {

int usage()
{
    QTextStream(stderr) << "usage: tvktool COMMAND ARGS...\n";
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty())
        return usage();
    return usage();
}
