#include "platform/process_tree.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QList>
#include <QSet>

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

// The parent of a process, from /proc/<pid>/stat: "pid (name) state ppid ...", where the
// name may hold anything but ends at the last ')'. 0 when the process is gone.
pid_t parentOf(const QString &pid)
{
    QFile stat(QStringLiteral("/proc/") + pid + QStringLiteral("/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray fields = stat.readAll();
    const QList<QByteArray> after = fields.mid(fields.lastIndexOf(')') + 2).split(' ');
    return after.size() > 1 ? pid_t(after[1].toInt()) : 0;
}

QSet<pid_t> descendantsOf(pid_t root)
{
    QHash<pid_t, QList<pid_t>> children;
    const QStringList entries =
        QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        bool isPid = false;
        const pid_t pid = pid_t(entry.toInt(&isPid));
        if (isPid)
            children[parentOf(entry)].append(pid);
    }
    QSet<pid_t> found;
    QList<pid_t> waiting{root};
    while (!waiting.isEmpty()) {
        for (pid_t child : children.value(waiting.takeLast()))
            if (!found.contains(child)) {
                found.insert(child);
                waiting.append(child);
            }
    }
    return found;
}

} // namespace

void startAsTreeRoot()
{
    ::setpgid(0, 0);
    ::prctl(PR_SET_CHILD_SUBREAPER, 1L, 0L, 0L, 0L);
}

void killProcessTree(qint64 rootPid)
{
    const pid_t root = pid_t(rootPid);
    QSet<pid_t> stopped{root};
    ::kill(root, SIGSTOP);
    for (bool more = true; more;) {
        more = false;
        for (pid_t pid : descendantsOf(root))
            if (!stopped.contains(pid)) {
                ::kill(pid, SIGSTOP);
                stopped.insert(pid);
                more = true;
            }
    }
    for (pid_t pid : stopped)
        ::kill(pid, SIGKILL);
}
