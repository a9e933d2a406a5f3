#pragma once

#include "publishing/publish_settings.h"

#include <QList>
#include <QStringList>
#include <QString>
#include <functional>
#include <optional>

// A publish run of the current table: its settings are saved, the production stylesheet
// (and in PHP mode the PHP page) is written to the data folder, and the XML file, the
// stylesheet and the page are uploaded into the target folder over one FTP connection.
// Preparing and finishing belong to the thread of the model; the transfers may run on any
// thread.

// The transfers of one run, prepared from the table.
struct PublishJob {
    struct Upload {
        QString localPath;
        QString remoteName;
        QString status; // the status text shown while it is copied
    };
    PublishSettings settings;
    QList<Upload> uploads;
    QStringList localOnlyFiles = {}; // read by the stylesheet from this computer, not uploaded
};

// How the transfers ended. On failure, error is the text to show, in the status line too.
struct PublishOutcome {
    bool ok = false;
    QString error;
    QStringList localOnlyFiles = {}; // the job's
};

using PublishStatus = std::function<void(const QString &text)>;

// Why a run did not start: the text for the status line and, when a field the run needs
// is empty, that field's settings key ("sname").
struct PublishRefusal {
    QString status;
    QString emptyField;
};

// Saves the settings, gives the table's XSL output file its default name when it has
// none, generates the production stylesheet and writes the upload files. Nothing when
// the server name is empty or an upload file cannot be written; the user has been told,
// and refusal says why the run did not start.
std::optional<PublishJob> preparePublish(const PublishSettings &settings, bool phpMode,
                                         PublishRefusal *refusal);
// Refuses a remote name with a folder part ("/", "\", "." or "..") before anything is
// sent. Connects, creates and enters the target folder, uploads every file in turn and
// disconnects, reporting each status text. Every step's result is checked; the first
// failure ends the run, and its error becomes the last status text unless the connection
// failed.
PublishOutcome runPublishTransfers(const PublishJob &job, const PublishStatus &status);
// Tells the user how the run ended: the error, or "Published successfully!" naming the
// files the stylesheet reads that exist only on this computer (in PHP mode with a preview
// folder, with the offer to open the page, which may append "/" to preview). True when
// the run succeeded.
bool finishPublish(const PublishOutcome &outcome, bool phpMode, QString &preview);

// The whole run on the calling thread.
PublishOutcome publishCurrentTable(PublishSettings settings, bool phpMode,
                                   const PublishStatus &status);
