#include "platform/xslt_workers.h"

#include <QFileInfo>

#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <sys/wait.h>
#include <unistd.h>

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
    // Closes its stream and waits until it has left.
    void finish()
    {
        ::shutdown(socket, SHUT_RDWR);
        ::waitpid(std::exchange(pid, 0), nullptr, 0);
    }
    // The end of a worker whose stream ended, in words.
    QString ended();

    QString keptAs; // the name of the document it keeps, as its last requests asked
    bool wasIdle = false;          // taken from the idle workers
    bool endedByTheSystem = false; // ended() found it killed or terminated, not crashed

private:
    pid_t pid;
    int socket;
};

std::unique_ptr<Worker> Worker::start(QString &why)
{
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        why = QString::fromLocal8Bit(std::strerror(errno));
        return nullptr;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    const QByteArray program = xsltWorkerProgram().toLocal8Bit();
    char *const argv[] = {const_cast<char *>(program.constData()), nullptr};
    pid_t pid = 0;
    const int failure = posix_spawn(&pid, program.constData(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);
    if (failure != 0) {
        ::close(ends[0]);
        why = QString::fromLocal8Bit(program) + QStringLiteral(": ") +
              QString::fromLocal8Bit(std::strerror(failure));
        return nullptr;
    }
    return std::make_unique<Worker>(pid, ends[0]);
}

QString Worker::ended()
{
    int status = 0;
    const pid_t reaped = ::waitpid(std::exchange(pid, 0), &status, 0);
    endedByTheSystem = reaped > 0 && WIFSIGNALED(status) &&
                       (WTERMSIG(status) == SIGKILL || WTERMSIG(status) == SIGTERM);
    if (reaped > 0 && WIFSIGNALED(status))
        return QString::fromLocal8Bit(strsignal(WTERMSIG(status)));
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

    std::vector<std::unique_ptr<Worker>> takeAll()
    {
        const std::lock_guard lock(mutex);
        return std::exchange(idle, {});
    }

private:
    std::mutex mutex;
    std::vector<std::unique_ptr<Worker>> idle; // the longest idle first
};

// Never destroyed: workers left idle at the program's end see their stream end and leave.
IdleWorkers &idleWorkers()
{
    static auto *const workers = new IdleWorkers;
    return *workers;
}

// A worker that has taken the request: an idle one, or a new one when none is idle or the
// idle one has left meanwhile (the system may end an idle worker).
std::unique_ptr<Worker> workerTaking(const XsltRequest &request, QString &why)
{
    std::unique_ptr<Worker> worker = idleWorkers().take(request.keptAs, why);
    if (worker && sendRequest(worker->stream(), request))
        return worker;
    worker = Worker::start(why);
    if (worker && sendRequest(worker->stream(), request))
        return worker;
    if (worker)
        why = QStringLiteral("it ended as it started (%1)").arg(worker->ended());
    return nullptr;
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
    for (;;) {
        if (!keepWaiting())
            return stoppedOutcome(stop); // stopped before it began
        QString why;
        std::unique_ptr<Worker> worker = workerTaking(request, why);
        if (!worker)
            return endedOutcome(QStringLiteral("The XSLT processor could not be started: ") +
                                why);
        XsltOutcome outcome;
        const Received got =
            receiveOutcome(worker->stream(), outcome, limits.pageBytes, keepWaiting,
                           [&worker](quint64 at, char *to, qint64 size) {
                               return worker->read(at, to, size);
                           });
        switch (got) {
        case Received::Whole:
            if (!request.keptAs.isEmpty())
                worker->keptAs = request.keptAs;
            idleWorkers().giveBack(std::move(worker));
            return outcome;
        case Received::GaveUp:
            return stoppedOutcome(stop);
        case Received::BodyTooLarge:
            return stoppedOutcome(XsltStopReason::PageLimit, outcome.memoryNeeded);
        case Received::StreamEnded:
            break;
        }
        const QString end = worker->ended();
        // An idle worker the system ended as the request reached it did not run it: a new
        // worker does.
        if (worker->wasIdle && worker->endedByTheSystem)
            continue;
        return endedOutcome(QStringLiteral("The XSLT processor ended unexpectedly (%1) and "
                                           "made no page.")
                                .arg(end));
    }
}
