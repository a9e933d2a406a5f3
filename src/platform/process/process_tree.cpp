#include "platform/process/process_tree.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QList>

#include <csignal>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

int pidfdOf(pid_t pid) { return int(::syscall(SYS_pidfd_open, pid, 0)); }

void signalThrough(int pidfd, int signal)
{
    ::syscall(SYS_pidfd_send_signal, pidfd, signal, nullptr, 0);
}

// The parent of a process, from /proc/<pid>/stat: "pid (name) state ppid ...", where the
// name may hold anything but ends at the last ')'. 0 when the process is gone.
pid_t parentOf(pid_t pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray fields = stat.readAll();
    const QList<QByteArray> after = fields.mid(fields.lastIndexOf(')') + 2).split(' ');
    return after.size() > 1 ? pid_t(after[1].toInt()) : 0;
}

QHash<pid_t, QList<pid_t>> childrenByParent()
{
    QHash<pid_t, QList<pid_t>> children;
    const QStringList entries =
        QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        bool isPid = false;
        const pid_t pid = pid_t(entry.toInt(&isPid));
        if (isPid)
            children[parentOf(pid)].append(pid);
    }
    return children;
}

// The processes of the tree, each held by a pidfd, so that a signal sent through it reaches
// that process or none, even once its number has passed to another.
class HeldTree {
public:
    HeldTree() = default;
    HeldTree(const HeldTree &) = delete;
    HeldTree &operator=(const HeldTree &) = delete;
    ~HeldTree()
    {
        for (int fd : std::as_const(held))
            ::close(fd);
    }

    // Holds and stops the process when its parent, read once it is held, is held already
    // (or when it is the root): a number reused since /proc was read is left alone.
    bool hold(pid_t pid, bool isRoot = false)
    {
        const int fd = pidfdOf(pid);
        if (fd < 0)
            return false;
        if (!isRoot && !held.contains(parentOf(pid))) {
            ::close(fd);
            return false;
        }
        held.insert(pid, fd);
        signalThrough(fd, SIGSTOP);
        return true;
    }
    bool holds(pid_t pid) const { return held.contains(pid); }
    QList<pid_t> members() const { return held.keys(); }
    void kill() const
    {
        for (int fd : held)
            signalThrough(fd, SIGKILL);
    }

private:
    QHash<pid_t, int> held;
};

} // namespace

void startAsTreeRoot()
{
    ::setpgid(0, 0);
    ::prctl(PR_SET_CHILD_SUBREAPER, 1L, 0L, 0L, 0L);
}

void killProcessTree(qint64 rootPid)
{
    const pid_t root = pid_t(rootPid);
    if (root <= 0)
        return; // never a process group, nor every process the program may signal
    HeldTree tree;
    if (!tree.hold(root, true)) {
        ::kill(root, SIGKILL); // no pidfds: the root at least, the caller's own child
        return;
    }
    // Stopped processes start nothing new: the tree is walked again until it holds still.
    for (bool more = true; more;) {
        more = false;
        const QHash<pid_t, QList<pid_t>> children = childrenByParent();
        for (pid_t parent : tree.members())
            for (pid_t child : children.value(parent))
                if (!tree.holds(child) && tree.hold(child))
                    more = true;
    }
    tree.kill();
}
