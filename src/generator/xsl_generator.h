#pragma once

#include <QString>

// What became of the re-indenting of a generated stylesheet.
struct GenerationOutcome {
    bool indented = true;
    QString error; // the parser's reason when the text could not be re-indented
};

// The stylesheet for the current slot's table as built, before the re-indenting.
// Output runs (isProduction) write no debug output and, with productionRun set, no row
// limit; they leave the table unmarked.
QString buildXslCode(bool isProduction);

// A generated stylesheet: its text, and the same text with the elements the generator
// wrote marked, for the built-in processor's running form ("" when nothing is marked).
struct GeneratedStylesheet {
    QString text;
    QString running;
};

// The stylesheet built and re-indented, or as built when it cannot be re-indented (the
// outcome says why); stores and shows nothing. A text that is not re-indented is not marked.
GeneratedStylesheet indentedStylesheet(bool isProduction, GenerationOutcome &outcome);
QString indentedXslCode(bool isProduction, GenerationOutcome &outcome);

// Builds the stylesheet, re-indents it and stores it as the slot's xslGenerated, and its
// marked text as xslRunning. When the text cannot be re-indented, the unindented text is
// stored and the outcome says why; an output run also shows the parser's reason to the user.
GenerationOutcome generateXSLCode(bool isProduction);

// Generates the stylesheet for output (productionRun set for the run) and returns the
// slot's xslGenerated it leaves behind.
QString generateForOutput();

// Sets the program-wide productionRun for an output run's lifetime; the value it had comes
// back afterwards.
class ProductionRunGuard {
public:
    ProductionRunGuard();
    ~ProductionRunGuard();
    ProductionRunGuard(const ProductionRunGuard &) = delete;
    ProductionRunGuard &operator=(const ProductionRunGuard &) = delete;

private:
    bool previous;
};
