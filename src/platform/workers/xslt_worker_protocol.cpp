#include "platform/workers/xslt_worker_protocol.h"

#include "platform/heap_setup.h"

#include <QDataStream>
#include <QIODevice>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>

namespace {

// The fields of a request as they travel, one line each; the rest of its limits (time,
// stop token) the program holds itself.
template <typename Request, typename Visit>
void requestFields(Request &request, Visit &&visit)
{
    visit(request.xmlPath);
    visit(request.xslText);
    visit(request.baseUri);
    visit(request.form);
    visit(request.markName);
    visit(request.keptAs);
    visit(request.limits.memoryBytes);
    visit(request.limits.readableFolders);
}

// The fields of an outcome but its page, which is the body.
template <typename Outcome, typename Visit>
void outcomeFields(Outcome &outcome, Visit &&visit)
{
    visit(outcome.failure);
    visit(outcome.stopReason);
    visit(outcome.memoryNeeded);
    visit(outcome.reason);
    visit(outcome.readsRefused);
}

struct Lengths {
    quint64 header = 0;
    quint64 body = 0;
    quint64 bodyAt = 0; // where the body lies in the sender's memory
};

// After a body's lengths and header the sender waits for one of these: the receiver has
// read the body from the sender's memory, or asks for it over the stream.
constexpr char bodyTaken = 't';
constexpr char bodyWanted = 'w';
// What the worker sends once it has read a request whole.
constexpr char requestTaken = 'r';

constexpr int waitStepMs = 50;

bool sendAll(int socket, const char *bytes, qint64 size)
{
    while (size > 0) {
        const ssize_t sent = ::send(socket, bytes, size_t(size), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return false;
        bytes += sent;
        size -= sent;
    }
    return true;
}

bool sendMessage(int socket, const QByteArray &header, const QByteArray &body)
{
    const Lengths lengths{quint64(header.size()), quint64(body.size()),
                          quint64(reinterpret_cast<quintptr>(body.constData()))};
    if (!sendAll(socket, reinterpret_cast<const char *>(&lengths), sizeof lengths) ||
        !sendAll(socket, header.constData(), header.size()))
        return false;
    if (body.isEmpty())
        return true;
    char answer = 0;
    while (::read(socket, &answer, 1) < 0 && errno == EINTR) {
    }
    return answer == bodyTaken ||
           (answer == bodyWanted && sendAll(socket, body.constData(), body.size()));
}

// Reads exactly size bytes; between waits of at most waitStepMs asks keepWaiting.
Received receiveAll(int socket, char *bytes, qint64 size, const KeepWaiting &keepWaiting)
{
    while (size > 0) {
        pollfd readable{socket, POLLIN, 0};
        const int ready = ::poll(&readable, 1, keepWaiting ? waitStepMs : -1);
        if (ready == 0 && !keepWaiting())
            return Received::GaveUp;
        if (ready <= 0)
            continue;
        const ssize_t got = ::read(socket, bytes, size_t(size));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return Received::StreamEnded;
        bytes += got;
        size -= got;
    }
    return Received::Whole;
}

template <typename Fields>
QByteArray headerOf(Fields fields)
{
    QByteArray header;
    QDataStream out(&header, QIODevice::WriteOnly);
    fields([&out](const auto &field) { out << field; });
    return header;
}

template <typename Fields>
bool readHeader(const QByteArray &header, Fields fields)
{
    QDataStream in(header);
    fields([&in](auto &field) { in >> field; });
    return in.status() == QDataStream::Ok;
}

} // namespace

Received sendRequest(int socket, const XsltRequest &request, const KeepWaiting &keepWaiting)
{
    if (!sendMessage(socket, headerOf([&](auto &&visit) { requestFields(request, visit); }), {}))
        return Received::StreamEnded;
    char answer = 0;
    const Received got = receiveAll(socket, &answer, 1, keepWaiting);
    return got == Received::Whole && answer != requestTaken ? Received::StreamEnded : got;
}

bool sendOutcome(int socket, const XsltOutcome &outcome)
{
    return sendMessage(socket, headerOf([&](auto &&visit) { outcomeFields(outcome, visit); }),
                       outcome.output);
}

std::optional<XsltRequest> receiveRequest(int socket)
{
    Lengths lengths;
    if (receiveAll(socket, reinterpret_cast<char *>(&lengths), sizeof lengths, {}) !=
            Received::Whole ||
        lengths.body != 0 || lengths.header > quint64(INT_MAX))
        return std::nullopt;
    QByteArray header(qsizetype(lengths.header), Qt::Uninitialized);
    XsltRequest request;
    if (receiveAll(socket, header.data(), header.size(), {}) != Received::Whole ||
        !readHeader(header, [&](auto &&visit) { requestFields(request, visit); }) ||
        !sendAll(socket, &requestTaken, 1))
        return std::nullopt;
    return request;
}

Received receiveOutcome(int socket, XsltOutcome &outcome, qint64 maxBody,
                        const KeepWaiting &keepWaiting, const ReadSenderMemory &readSender)
{
    Lengths lengths;
    Received got = receiveAll(socket, reinterpret_cast<char *>(&lengths), sizeof lengths,
                              keepWaiting);
    if (got != Received::Whole)
        return got;
    if (lengths.body > quint64(maxBody) || lengths.header > quint64(INT_MAX)) {
        outcome.memoryNeeded = qint64(std::min<quint64>(lengths.body, quint64(LLONG_MAX)));
        return Received::BodyTooLarge;
    }
    QByteArray header(qsizetype(lengths.header), Qt::Uninitialized);
    got = receiveAll(socket, header.data(), header.size(), keepWaiting);
    if (got != Received::Whole)
        return got;
    if (!readHeader(header, [&](auto &&visit) { outcomeFields(outcome, visit); }))
        return Received::StreamEnded;
    if (lengths.body == 0)
        return Received::Whole;
    outcome.output = QByteArray(qsizetype(lengths.body), Qt::Uninitialized);
    adviseLargeBuffer(outcome.output.data(), outcome.output.size());
    // One copy straight from the sender's memory where the system lets this process read it.
    const bool taken = readSender(lengths.bodyAt, outcome.output.data(), outcome.output.size());
    const char answer = taken ? bodyTaken : bodyWanted;
    if (!sendAll(socket, &answer, 1))
        return Received::StreamEnded;
    return taken ? Received::Whole
                 : receiveAll(socket, outcome.output.data(), outcome.output.size(), keepWaiting);
}
