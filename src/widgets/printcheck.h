#pragma once
// Printing that says when it fails. A printer that cannot be opened (a PDF file in a
// folder that is not writable, a printer that went away) leaves QPainter inactive and
// every drawing call does nothing; a PDF that cannot be finished ends as an empty file.
// Both become a PrintError, which the program's one error handler shows.

#include <stdexcept>

class QPainter;
class QPrinter;

class PrintError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Begins painting on printer; raises PrintError when the printer cannot be used.
void beginPrinting(QPainter& painter, QPrinter& printer);
// Ends painting; raises PrintError when the output did not reach its printer or file.
void finishPrinting(QPainter& painter, QPrinter& printer);
// The same checks for code that begins and ends its own painter: raises PrintError
// when it could not begin (started false) or the output did not come out.
void checkPrinted(const QPrinter& printer, bool started);
