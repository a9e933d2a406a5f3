#include "platform/workers/xslt_workers.h"

#include "platform/workers/xslt_worker_serve.h"

#include <QFileInfo>

#include <dirent.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

extern char **environ;

namespace {

// Idle workers kept for the next runs; each may keep a parsed document.
constexpr std::size_t keptIdle = 4;

// One worker process and the program's end of its socket.
class Worker {
public:
    // A new worker; null with why set when it cannot be started.
    static std::unique_ptr<Worker> start(QString &why);
    Worker(pid_t pid, int socket) : pid(pid), socket(socket) {}
    // A worker still running is killed and reaped on a thread of its own.
    ~Worker()
    {
        ::close(socket);
        if (pid > 0) {
            ::kill(pid, SIGKILL);
            std::thread([pid = pid] { ::waitpid(pid, nullptr, 0); }).detach();
        }
    }
    Worker(const Worker &) = delete;
    Worker &operator=(const Worker &) = delete;

    int stream() const { return socket; }
    // Reads from the worker's memory (it is this process's child).
    bool read(quint64 at, char *to, qint64 size) const
    {
        while (size > 0) {
            const iovec local{to, size_t(size)};
            const iovec remote{reinterpret_cast<void *>(quintptr(at)), size_t(size)};
            const ssize_t got = ::process_vm_readv(pid, &local, 1, &remote, 1, 0);
            if (got <= 0)
                return false;
            to += got;
            at += quint64(got);
            size -= got;
        }
        return true;
    }
    // Closes its stream, so that it leaves.
    void letGo() { ::shutdown(socket, SHUT_RDWR); }
    // Lets it go and waits until it has left.
    void finish()
    {
        letGo();
        ::waitpid(std::exchange(pid, 0), nullptr, 0);
    }
    // The end of a worker whose stream ended, in words.
    QString ended();

    QString keptAs; // the name of the document it keeps, as its last requests asked
    bool wasIdle = false; // taken from the idle workers
    int endedBy = 0;      // the signal that ended it, as ended() found

private:
    pid_t pid;
    int socket;
};

// True when the calling thread is this process's only one: a child forked from it may then
// go on running the program's code, and need not load the worker program anew.
bool singleThreaded()
{
    DIR *tasks = ::opendir("/proc/self/task");
    if (!tasks)
        return false;
    int threads = 0;
    while (const dirent *task = ::readdir(tasks))
        threads += task->d_name[0] != '.';
    ::closedir(tasks);
    return threads == 1;
}

// Starts the worker program with its end of the socket as its standard input and output;
// 0 with why set when it cannot.
pid_t spawnWorker(int socket, QString &why)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, socket, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, socket, STDOUT_FILENO);
    const QByteArray program = xsltWorkerProgram().toLocal8Bit();
    char *const argv[] = {const_cast<char *>(program.constData()), nullptr};
    pid_t pid = 0;
    const int failure = posix_spawn(&pid, program.constData(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failure == 0)
        return pid;
    why = QString::fromLocal8Bit(program) + QStringLiteral(": ") +
          QString::fromLocal8Bit(std::strerror(failure));
    return 0;
}

std::unique_ptr<Worker> Worker::start(QString &why)
{
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        why = QString::fromLocal8Bit(std::strerror(errno));
        return nullptr;
    }
    // A process of one thread has the worker's code loaded already: its copy serves at once.
    const bool forked = singleThreaded();
    const pid_t pid = forked ? ::fork() : spawnWorker(ends[1], why);
    if (pid < 0)
        why = QString::fromLocal8Bit(std::strerror(errno));
    if (forked && pid == 0) {
        ::prctl(PR_SET_NAME, "tarvik-xslt-worker"); // as the worker program is listed
        ::dup2(ends[1], STDIN_FILENO);
        ::dup2(ends[1], STDOUT_FILENO);
        ::_exit(serveAsXsltWorker());
    }
    ::close(ends[1]);
    if (pid <= 0) {
        ::close(ends[0]);
        return nullptr;
    }
    return std::make_unique<Worker>(pid, ends[0]);
}

QString Worker::ended()
{
    int status = 0;
    const pid_t reaped = ::waitpid(std::exchange(pid, 0), &status, 0);
    if (reaped > 0 && WIFSIGNALED(status)) {
        endedBy = WTERMSIG(status);
        return QString::fromLocal8Bit(strsignal(endedBy));
    }
    if (reaped > 0 && WIFEXITED(status))
        return QStringLiteral("exit status %1").arg(WEXITSTATUS(status));
    return QStringLiteral("no answer");
}

class IdleWorkers {
public:
    // The idle worker that keeps the document, else one that keeps none, else the one idle
    // longest; a new one when none is idle.
    std::unique_ptr<Worker> take(const QString &keptAs, QString &why)
    {
        {
            const std::lock_guard lock(mutex);
            auto chosen = idle.end();
            for (auto w = idle.begin(); w != idle.end(); ++w) {
                if (!keptAs.isEmpty() && (*w)->keptAs == keptAs) {
                    chosen = w;
                    break;
                }
                if ((*w)->keptAs.isEmpty() && chosen == idle.end())
                    chosen = w;
            }
            if (chosen == idle.end() && !idle.empty())
                chosen = idle.begin();
            if (chosen != idle.end()) {
                std::unique_ptr<Worker> worker = std::move(*chosen);
                idle.erase(chosen);
                worker->wasIdle = true;
                return worker;
            }
        }
        return Worker::start(why);
    }

    void giveBack(std::unique_ptr<Worker> worker)
    {
        std::unique_ptr<Worker> surplus; // ended outside the lock
        const std::lock_guard lock(mutex);
        idle.push_back(std::move(worker));
        if (idle.size() > keptIdle) {
            surplus = std::move(idle.front());
            idle.erase(idle.begin());
        }
    }

    // A worker whose run is over: kept idle, or let go in a program that keeps none.
    void runOver(std::unique_ptr<Worker> worker)
    {
        if (keepAfterRuns) {
            giveBack(std::move(worker));
            return;
        }
        worker->letGo();
        const std::lock_guard lock(mutex);
        leaving.push_back(std::move(worker));
    }

    // The idle workers and those let go.
    std::vector<std::unique_ptr<Worker>> takeAll()
    {
        const std::lock_guard lock(mutex);
        std::vector<std::unique_ptr<Worker>> all = std::exchange(leaving, {});
        for (std::unique_ptr<Worker> &worker : idle)
            all.push_back(std::move(worker));
        idle.clear();
        return all;
    }

    std::atomic<bool> keepAfterRuns = true;

private:
    std::mutex mutex;
    std::vector<std::unique_ptr<Worker>> idle; // the longest idle first
    std::vector<std::unique_ptr<Worker>> leaving; // let go after their run, not yet reaped
};

// Never destroyed: workers left idle at the program's end see their stream end and leave.
IdleWorkers &idleWorkers()
{
    static auto *const workers = new IdleWorkers;
    return *workers;
}

// Hands the request to a worker, set in worker: an idle one, or a new one when the idle one
// never acknowledged it (the system may end an idle worker); a worker that acknowledged a
// request has run it, and is never asked again. Whole when acknowledged, GaveUp when the
// run was stopped meanwhile, StreamEnded with why set when no worker took it.
Received workerTaking(const XsltRequest &request, const KeepWaiting &keepWaiting,
                      std::unique_ptr<Worker> &worker, QString &why)
{
    worker = idleWorkers().take(request.keptAs, why);
    Received taken =
        worker ? sendRequest(worker->stream(), request, keepWaiting) : Received::StreamEnded;
    if (worker && worker->wasIdle && taken == Received::StreamEnded) {
        worker = Worker::start(why);
        taken = worker ? sendRequest(worker->stream(), request, keepWaiting)
                       : Received::StreamEnded;
    }
    if (worker && taken == Received::StreamEnded)
        why = QStringLiteral("it ended as it started (%1)").arg(worker->ended());
    return taken;
}

XsltOutcome endedOutcome(const QString &reason)
{
    XsltOutcome outcome;
    outcome.failure = XsltOutcome::Failure::ProcessorEnded;
    outcome.reason = reason;
    return outcome;
}

XsltOutcome stoppedOutcome(XsltStopReason why, qint64 memoryNeeded = 0)
{
    XsltOutcome outcome;
    outcome.failure = XsltOutcome::Failure::Stopped;
    outcome.stopReason = why;
    outcome.memoryNeeded = memoryNeeded;
    return outcome;
}

} // namespace

QString xsltWorkerProgram()
{
    static const QString path =
        QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).absolutePath() +
        QStringLiteral("/tarvik-xslt-worker");
    return path;
}

void startXsltWorkerAhead()
{
    QString why; // a worker that cannot start says why when a run needs it
    if (std::unique_ptr<Worker> worker = Worker::start(why))
        idleWorkers().giveBack(std::move(worker));
}

void letXsltWorkersGoAfterTheirRun() { idleWorkers().keepAfterRuns = false; }

void endIdleXsltWorkers()
{
    for (const std::unique_ptr<Worker> &worker : idleWorkers().takeAll())
        worker->finish();
}

XsltOutcome runInWorker(const XsltRequest &request)
{
    const XsltLimits &limits = request.limits;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(limits.timeoutMs);
    XsltStopReason stop = XsltStopReason::None;
    const KeepWaiting keepWaiting = [&] {
        if (limits.stopToken && limits.stopToken->stopRequested())
            stop = XsltStopReason::Requested;
        else if (std::chrono::steady_clock::now() >= deadline)
            stop = XsltStopReason::TimeLimit;
        return stop == XsltStopReason::None;
    };
    if (!keepWaiting())
        return stoppedOutcome(stop); // stopped before it began
    QString why;
    std::unique_ptr<Worker> worker;
    XsltOutcome outcome;
    Received got = workerTaking(request, keepWaiting, worker, why);
    if (got == Received::StreamEnded)
        return endedOutcome(QStringLiteral("The XSLT processor could not be started: ") + why);
    if (got == Received::Whole)
        got = receiveOutcome(worker->stream(), outcome, limits.pageBytes, keepWaiting,
                             [&worker](quint64 at, char *to, qint64 size) {
                                 return worker->read(at, to, size);
                             });
    if (got == Received::Whole) {
        if (!request.keptAs.isEmpty())
            worker->keptAs = request.keptAs;
        idleWorkers().runOver(std::move(worker));
        return outcome;
    }
    // The run ends its worker, which took the request; another is started in its place.
    const QString end = got == Received::StreamEnded ? worker->ended() : QString();
    const int signal = worker->endedBy;
    worker.reset();
    startXsltWorkerAhead();
    if (got == Received::GaveUp)
        return stoppedOutcome(stop);
    if (got == Received::BodyTooLarge)
        return stoppedOutcome(XsltStopReason::PageLimit, outcome.memoryNeeded);
    if (signal == 0)
        return endedOutcome(QStringLiteral("The XSLT processor ended unexpectedly (%1) and "
                                           "made no page.")
                                .arg(end));
    return endedOutcome(
        QStringLiteral("The XSLT transformation's process was ended by a signal (%1)%2 and made "
                       "no page.")
            .arg(end, signal == SIGKILL || signal == SIGTERM
                          ? QStringLiteral(", as the system ends a process when memory runs short,")
                          : QString()));
}
