// The built-in processor against hostile stylesheets: nothing may reach outside, and a
// runaway run in its worker is ended by its bounds, from another thread or by a crash.
#include "platform/workers/xslt_workers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace {

const QString stylesheetStart = QStringLiteral(
    "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>");
const QString stylesheetEnd = QStringLiteral("</xsl:stylesheet>");
const QByteArray secret = "TOP-SECRET-42";
// Writes the number of rows: "6" over data.xml.
const QString rowCount = stylesheetStart + "<xsl:output method='text'/><xsl:template match='/'>"
                         "<xsl:value-of select='count(//r)'/></xsl:template>" + stylesheetEnd;

// A TCP port on 127.0.0.1 that accepts connections and never answers; the kernel queues
// every connection attempt, so after a run any attempt is still waiting to be accepted.
class LoopbackListener {
public:
    LoopbackListener()
    {
        socketFd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        bind(socketFd, reinterpret_cast<sockaddr *>(&address), length);
        listen(socketFd, 16);
        getsockname(socketFd, reinterpret_cast<sockaddr *>(&address), &length);
        port = ntohs(address.sin_port);
    }
    ~LoopbackListener() { close(socketFd); }
    LoopbackListener(const LoopbackListener &) = delete;
    LoopbackListener &operator=(const LoopbackListener &) = delete;

    QString url(const QString &name) const
    {
        return QStringLiteral("http://127.0.0.1:%1/%2").arg(port).arg(name);
    }
    bool wasContacted() const
    {
        const int connection = accept(socketFd, nullptr, nullptr);
        if (connection >= 0)
            close(connection);
        return connection >= 0;
    }

private:
    int socketFd = -1;
    int port = 0;
};

class XsltTransform : public ::testing::Test {
protected:
    QTemporaryDir dir;
    LoopbackListener listener;

    QString file(const QString &name) const { return dir.filePath(name); }
    void write(const QString &name, const QByteArray &bytes) const
    {
        QFile out(file(name));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    void SetUp() override
    {
        write("secret.txt", secret);
        write("data.xml", "<rows><r>1</r><r>2</r><r>3</r><r>4</r><r>5</r><r>6</r></rows>");
        // Four loops nested over its 401 nodes make 2.6e10 steps: a run that never ends.
        write("big.xml", "<rows>" + QByteArray("<r>1</r>").repeated(200) + "</rows>");
        // The duplicate check of the union //x | //x compares 4.5e10 pairs in one step.
        write("wide.xml", "<rows>" + QByteArray("<x/>").repeated(300000) + "</rows>");
    }
    XsltOutcome run(const QString &xsl, const XsltLimits &limits = {},
                    const QString &xml = QStringLiteral("data.xml")) const
    {
        XsltRequest request;
        request.xmlPath = file(xml);
        request.xslText = xsl;
        request.baseUri = file("main.xsl");
        request.limits = limits;
        return runInWorker(request);
    }
};

// A worker in the state ("R" busy with a run, "S" idle): a child process of this one.
pid_t workerIn(const QByteArray &state)
{
    for (const QString &entry : QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile stat("/proc/" + entry + "/stat");
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray fields = stat.readAll();
        const QList<QByteArray> after = fields.mid(fields.lastIndexOf(')') + 2).split(' ');
        if (after.size() > 1 && after[0] == state && after[1].toInt() == getpid())
            return pid_t(entry.toInt());
    }
    return 0;
}

// True when every thread of the process has left (it is gone or a zombie): its files,
// sockets among them, are closed.
bool hasEnded(pid_t pid)
{
    for (const QString &task : QDir(QStringLiteral("/proc/%1/task").arg(pid))
                                   .entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile stat(QStringLiteral("/proc/%1/task/%2/stat").arg(pid).arg(task));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray fields = stat.readAll();
        const QByteArray state = fields.mid(fields.lastIndexOf(')') + 2, 1);
        if (state != "Z" && state != "X" && !state.isEmpty())
            return false;
    }
    return true;
}

} // namespace

TEST_F(XsltTransform, ImportedStylesheetsAndDocumentsReachNothingOutside)
{
    const QString secretUri = QUrl::fromLocalFile(file("secret.txt")).toString();
    write("entity.xml", ("<!DOCTYPE d [<!ENTITY s SYSTEM '" + secretUri + "'>]><d>&s;</d>")
                            .toUtf8());
    const struct {
        const char *name;
        QString prolog;   // before the imported stylesheet's root element
        QString contents; // inside it
    } cases[] = {
        {"external entity", "<!DOCTYPE xsl:stylesheet [<!ENTITY s SYSTEM '" + secretUri + "'>]>",
         "<xsl:template name='leak'><b>&s;</b></xsl:template>"},
        {"remote DTD",
         "<!DOCTYPE xsl:stylesheet SYSTEM '" + listener.url("remote.dtd") + "'>",
         "<xsl:template name='leak'/>"},
        {"remote parameter entity",
         "<!DOCTYPE xsl:stylesheet [<!ENTITY % p SYSTEM '" + listener.url("p.dtd") +
             "'> %p;]>",
         "<xsl:template name='leak'/>"},
        {"http import", "",
         "<xsl:import href='" + listener.url("x.xsl") + "'/><xsl:template name='leak'/>"},
        {"http document()", "",
         "<xsl:template name='leak'><xsl:copy-of select=\"document('" +
             listener.url("d.xml") + "')\"/></xsl:template>"},
        {"document() with an external entity", "",
         "<xsl:template name='leak'><xsl:copy-of select=\"document('entity.xml')\"/>"
         "</xsl:template>"},
    };
    const QString main = stylesheetStart + "<xsl:import href='imported.xsl'/>"
                         "<xsl:template match='/'><p><xsl:call-template name='leak'/></p>"
                         "</xsl:template>" + stylesheetEnd;
    for (const auto &c : cases) {
        write("imported.xsl", (c.prolog + stylesheetStart + c.contents + stylesheetEnd).toUtf8());
        const XsltOutcome outcome = run(main);
        EXPECT_FALSE(outcome.output.contains(secret)) << c.name;
        EXPECT_FALSE(outcome.reason.contains(secret)) << c.name;
        EXPECT_FALSE(listener.wasContacted()) << c.name;
        EXPECT_NE(outcome.failure, XsltOutcome::Failure::Stopped) << c.name;
    }
}

// A run held to folders reads imports, includes and documents from them only (a link
// counts where it leads, a subfolder is another folder); an unrestricted run reads them all.
TEST_F(XsltTransform, RestrictedRunReadsOnlyFromItsFolders)
{
    for (const QString folder : {"table", "called", "outside", "table/sub"}) {
        QDir(dir.path()).mkpath(folder);
        write(folder + "/x.xsl", (stylesheetStart + "<xsl:template name='t'>marker-" + folder +
                                  "!</xsl:template>" + stylesheetEnd).toUtf8());
    }
    ASSERT_TRUE(QFile::link(file("outside/x.xsl"), file("table/link.xsl")));
    const struct {
        const char *href;
        const char *marker;
        bool readable;
    } files[] = {
        {"x.xsl", "marker-table!", true},
        {"../called/x.xsl", "marker-called!", true},
        {"../outside/x.xsl", "marker-outside!", false},
        {"sub/x.xsl", "marker-table/sub!", false},
        {"link.xsl", "marker-outside!", false},
    };
    const QString routes[] = {
        "<xsl:import href='%1'/><xsl:template match='/'><xsl:call-template name='t'/>"
        "</xsl:template>",
        "<xsl:include href='%1'/><xsl:template match='/'><xsl:call-template name='t'/>"
        "</xsl:template>",
        "<xsl:template match='/'><xsl:value-of select=\"document('%1')\"/></xsl:template>",
    };
    XsltLimits restricted;
    restricted.readableFolders = {file("table"), file("called")};
    for (const auto &f : files) {
        for (const QString &route : routes) {
            const QString xsl = stylesheetStart + route.arg(f.href) + stylesheetEnd;
            const auto run = [&](const XsltLimits &limits) {
                return runXslt(file("data.xml"), xsl, file("table/main.xsl"), limits);
            };
            EXPECT_TRUE(run({}).output.contains(f.marker)) << f.href << " " << route.toStdString();
            const XsltOutcome held = run(restricted);
            EXPECT_EQ(held.output.contains(f.marker), f.readable) << f.href << route.toStdString();
            EXPECT_EQ(held.reason.contains("its folder is not trusted"),
                      !f.readable && !route.contains("document("));
        }
    }
}

TEST_F(XsltTransform, OnlyRegularFilesAreReadHoweverTheirNameIsSpelt)
{
    ASSERT_EQ(mkfifo(file("pipe").toUtf8().constData(), 0600), 0);
    const QString pipe = file("pipe");
    const QString folderName = QDir(dir.path()).dirName();
    // Reading any of these would block or never end.
    const QString names[] = {
        "pipe",
        "./%70ipe",
        pipe,
        "file:" + pipe,
        "file://" + pipe,
        "FILE://localhost" + pipe,
        "file://" + QString(pipe).replace("pipe", "%70ipe"),
        "file://" + dir.path() + "/../" + folderName + "/pipe",
        "/dev/zero",
        "file:///dev/zero",
        dir.path(),
        "file://" + dir.path() + "/",
    };
    const QString routes[] = {
        "<xsl:import href='%1'/><xsl:template match='/'/>",
        "<xsl:include href='%1'/><xsl:template match='/'/>",
        "<xsl:template match='/'><xsl:copy-of select=\"document('%1')\"/></xsl:template>",
    };
    for (const QString &name : names) {
        for (const QString &route : routes) {
            const XsltOutcome outcome = run(stylesheetStart + route.arg(name) + stylesheetEnd);
            EXPECT_NE(outcome.failure, XsltOutcome::Failure::Stopped)
                << route.arg(name).toStdString();
        }
        const QString xmlName = QDir::isAbsolutePath(name) || name.contains(':') ? name
                                                                                 : file(name);
        const XsltOutcome outcome = runXslt(xmlName, stylesheetStart + stylesheetEnd,
                                            file("main.xsl"), {});
        EXPECT_EQ(outcome.failure, XsltOutcome::Failure::XmlDocument) << name.toStdString();
        EXPECT_TRUE(outcome.reason.contains("is not a file that can be read"))
            << name.toStdString();
    }
}

TEST_F(XsltTransform, RunawayRunsAreStoppedAtTheirBounds)
{
    XsltLimits shortTime;
    shortTime.timeoutMs = 200;
    XsltLimits littleMemory;
    littleMemory.memoryBytes = 64 << 20;
    XsltLimits pageMemory;
    pageMemory.memoryBytes = 16 << 20;
    XsltLimits smallPage;
    smallPage.pageBytes = 1 << 20;
    const struct {
        const char *name;
        QString templates;
        XsltLimits limits;
        XsltStopReason reason;
        QString xml = QStringLiteral("big.xml");
    } cases[] = {
        {"nested loops over every node",
         "<xsl:template match='/'><xsl:for-each select='//node()'><xsl:for-each "
         "select='//node()'><xsl:for-each select='//node()'><xsl:for-each select='//node()'>"
         "<xsl:value-of select='count(//node())'/></xsl:for-each>"
         "</xsl:for-each></xsl:for-each></xsl:for-each></xsl:template>",
         shortTime, XsltStopReason::TimeLimit},
        {"a text that doubles",
         "<xsl:template match='/'><xsl:call-template name='double'><xsl:with-param name='s' "
         "select='string(/)'/></xsl:call-template></xsl:template>"
         "<xsl:template name='double'><xsl:param name='s'/><xsl:call-template name='double'>"
         "<xsl:with-param name='s' select='concat($s, $s)'/></xsl:call-template></xsl:template>",
         littleMemory, XsltStopReason::MemoryLimit},
        // A tree of one text whose page, every "&" written as "&amp;", outgrows the bound.
        {"a page larger than its tree",
         "<xsl:template match='/' xmlns:str='http://exslt.org/strings'>"
         "<xsl:for-each select='//r'><xsl:for-each select='//r'>"
         "<xsl:value-of select=\"str:padding(100000, '&amp;')\"/>"
         "</xsl:for-each></xsl:for-each></xsl:template>",
         pageMemory, XsltStopReason::MemoryLimit, "data.xml"},
        {"a page larger than pages may be (refused by this process)",
         "<xsl:template match='/' name='t' xmlns:str='http://exslt.org/strings'><xsl:param name="
         "'n' select='20'/><xsl:value-of select=\"str:padding(100000, 'a')\"/><xsl:if test='$n'>"
         "<xsl:call-template name='t'><xsl:with-param name='n' select='$n - 1'/>"
         "</xsl:call-template></xsl:if></xsl:template>", smallPage, XsltStopReason::PageLimit},
        {"one XPath step",
         "<xsl:template match='/'><xsl:value-of select='count(//x | //x)'/></xsl:template>",
         shortTime, XsltStopReason::TimeLimit, "wide.xml"},
    };
    for (const auto &c : cases) {
        const XsltOutcome outcome =
            run(stylesheetStart + c.templates + stylesheetEnd, c.limits, c.xml);
        EXPECT_EQ(outcome.failure, XsltOutcome::Failure::Stopped) << c.name;
        EXPECT_EQ(outcome.stopReason, c.reason) << c.name;
        EXPECT_EQ(outcome.output, "") << c.name;
        const qint64 bound = c.reason == XsltStopReason::PageLimit ? c.limits.pageBytes
                                                                   : c.limits.memoryBytes;
        EXPECT_EQ(outcome.memoryNeeded > bound, c.reason != XsltStopReason::TimeLimit) << c.name;
    }
}

// A run held in a loop of instructions or in one XPath step ends at once when another
// thread stops it or when its worker crashes or is killed, while runs beside it go on with
// their own errors; the next run gives its page. A killed worker's run is reported, never
// run again: the stop that follows the kill finds the run over.
TEST_F(XsltTransform, AHeldRunEndsAtOnceWithoutHoldingTheNext)
{
    const QString loops =
        "<xsl:template match='/'><xsl:for-each select='//node()'><xsl:for-each "
        "select='//node()'><xsl:for-each select='//node()'><xsl:for-each select='//node()'>"
        "<xsl:message>from the runaway</xsl:message></xsl:for-each></xsl:for-each>"
        "</xsl:for-each></xsl:for-each></xsl:template>";
    const QString union_ = "<xsl:template match='/'><xsl:value-of select='count(//x | //x)'/>"
                           "<xsl:message>from the runaway</xsl:message></xsl:template>";
    const QString &fine = rowCount;
    const struct {
        const char *name;
        QString templates;
        QString xml;
        int signal; // sent to its worker before the stop, 0 for none
        const char *said = "";
    } runaways[] = {
        {"loops of instructions", loops, "big.xml", 0},
        {"one XPath step", union_, "wide.xml", 0},
        {"a worker that crashes", union_, "wide.xml", SIGSEGV, "ended by a signal"},
        {"a worker the system kills", loops, "big.xml", SIGKILL, "memory runs short"},
        {"a worker the system ends", union_, "wide.xml", SIGTERM, "memory runs short"},
    };
    for (const auto &runaway : runaways) {
        // Two runs side by side leave two workers idle: the held run takes one of them.
        std::thread beside([&] { run(fine); });
        run(fine);
        beside.join();
        XsltStopToken token;
        XsltLimits limits;
        limits.timeoutMs = 600000;
        limits.stopToken = &token;
        XsltOutcome held;
        std::thread worker([&] {
            held = run(stylesheetStart + runaway.templates + stylesheetEnd, limits, runaway.xml);
        });
        for (int i = 0; i < 20; ++i) {
            const XsltOutcome failing = run(stylesheetStart +
                                            "<xsl:template match='/'><xsl:value-of select='$nope'/>"
                                            "</xsl:template>" + stylesheetEnd);
            EXPECT_EQ(failing.failure, XsltOutcome::Failure::Transform);
            EXPECT_TRUE(failing.reason.contains("nope"));
            EXPECT_FALSE(failing.reason.contains("runaway"));
            EXPECT_EQ(run(fine).output, "6");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100)); // well inside its work
        const pid_t busy = workerIn("R");
        EXPECT_GT(busy, 0) << runaway.name;
        if (runaway.signal && busy > 0) {
            kill(busy, runaway.signal);
            while (!hasEnded(busy))
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        token.requestStop();
        worker.join();
        const bool ended = runaway.signal != 0;
        EXPECT_EQ(held.failure, ended ? XsltOutcome::Failure::ProcessorEnded
                                      : XsltOutcome::Failure::Stopped) << runaway.name;
        EXPECT_EQ(held.stopReason, ended ? XsltStopReason::None : XsltStopReason::Requested)
            << runaway.name;
        EXPECT_EQ(held.reason.contains(strsignal(runaway.signal)), ended) << runaway.name;
        EXPECT_TRUE(held.reason.contains(runaway.said)) << held.reason.toStdString();
        const XsltOutcome next = run(fine);
        EXPECT_EQ(next.output, "6") << runaway.name;
    }
    // Idle workers the system ended give way to new ones.
    for (pid_t idle = workerIn("S"); idle > 0; idle = workerIn("S"))
        kill(idle, SIGKILL);
    EXPECT_EQ(run(fine).output, "6");
}

// A worker started first thing in a program, while it runs one thread, is a copy of the
// program: it serves the runs and holds nothing of the program's but its socket, so that it
// leaves when the program goes.
TEST_F(XsltTransform, AWorkerCopiedFromTheProgramLeavesWhenTheProgramGoes)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe"); // the statement runs in a new process
    const QString pidFile = QDir::temp().filePath(QStringLiteral("tarvik-copied-worker-%1"));
    EXPECT_EXIT(
        {
            startXsltWorkerAhead();
            const bool served = run(rowCount).output == "6";
            pid_t idle = 0; // once it waits for the next run
            for (int wait = 0; wait < 10000 && !(idle = workerIn("S")); ++wait)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            QFile out(pidFile.arg(getppid()));
            std::_Exit(served && out.open(QIODevice::WriteOnly) &&
                               out.write(QByteArray::number(idle)) > 0 && out.flush()
                           ? 0
                           : 1);
        },
        ::testing::ExitedWithCode(0), "");
    QFile in(pidFile.arg(getpid()));
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const pid_t worker = pid_t(in.readAll().toInt());
    in.remove();
    ASSERT_GT(worker, 0);
    for (int wait = 0; wait < 10000 && !hasEnded(worker); ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_TRUE(hasEnded(worker));
}
