#pragma once

#include "generator/xsl_generator.h"

#include <QStringList>
#include <optional>

// What the commands that generate a table's stylesheet take: T.tvk [--production]
// [--rows-index I]. I is the preview's row-limit index 0-4 (default: the index stored in
// the table file); --production makes it an output run.
struct GenerateOptions {
    QString tablePath;
    bool production = false;
    std::optional<int> rowsIndex;
};

std::optional<GenerateOptions> parseGenerateOptions(const QStringList &args);

// Reads the table file into the current slot and generates its stylesheet as the options
// say; nothing when the file is invalid (the reader's message has gone to stderr).
std::optional<GenerationOutcome> loadAndGenerate(const GenerateOptions &options);
