#pragma once

#include "platform/xslt/xslt_transform.h"

#include <QString>
#include <functional>
#include <optional>

// What the program asks of a worker process of the built-in XSLT processor, and what the
// worker answers, over one stream socket. Each message is the length of its header and of
// its body (8 bytes each, in this machine's byte order), the header (the message's fields
// in QDataStream's form) and the body (the page's bytes; empty in a request). The receiver
// of a body reads it from the sender's memory, where it may, or asks for it on the stream.
// The worker acknowledges a request whole before it runs it, so that a worker that ends
// before the acknowledgement never ran the request, and one that ends after it did.

struct XsltRequest {
    QString xmlPath;
    QString xslText;
    QString baseUri;
    StylesheetForm form = StylesheetForm::Running;
    QByteArray markName = generatorMarkName(); // the program's, which the text may carry
    // The worker keeps the parsed XML document under this name for the next request that
    // names it, while the file keeps its path, size and modification time; "": the
    // document is parsed for this run alone and whatever the worker keeps stays kept.
    QString keptAs;
    XsltLimits limits; // the fields the worker holds are listed in requestFields
};

// Asked between short waits while a message is read: false gives up the read.
using KeepWaiting = std::function<bool()>;

enum class Received { Whole, StreamEnded, GaveUp, BodyTooLarge };

// Whole when the worker acknowledged the request; StreamEnded when it never will.
Received sendRequest(int socket, const XsltRequest &request, const KeepWaiting &keepWaiting);
// True when the whole message was written.
bool sendOutcome(int socket, const XsltOutcome &outcome);

// The next request, acknowledged; nullopt when the stream ended or holds no request.
std::optional<XsltRequest> receiveRequest(int socket);

// Copies size bytes at the address of the sender's memory to "to"; false when it cannot.
using ReadSenderMemory = std::function<bool(quint64 at, char *to, qint64 size)>;

// The outcome, its page no larger than maxBody; outcome.memoryNeeded holds a page's length
// that was too large.
Received receiveOutcome(int socket, XsltOutcome &outcome, qint64 maxBody,
                        const KeepWaiting &keepWaiting, const ReadSenderMemory &readSender);
