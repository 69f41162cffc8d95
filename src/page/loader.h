#pragma once

#include <QString>

#include <functional>
#include <optional>

class Form1;

// Answers a key of a page file (given without its "=") with its value, or nothing when no line
// has that key.
using PageKeyLookup = std::function<std::optional<QString>(const QString &key)>;

// Loads the page that a lookup answers for into the window, field by field in the order a page is
// read, and stops silently at the first value an element cannot take. Form1::LoadPage answers it
// from one reading of the file.
void loadPageFields(Form1 &window, const PageKeyLookup &lookup);

// What kept a page file from giving a page.
struct PageFileProblem
{
    enum class Kind
    {
        CannotOpen,  // missing, unreadable or too large; reason says which
        NoPageLines, // read, but not one line of it belongs to a page
    };
    Kind kind = Kind::CannotOpen;
    QString reason;
};

// The problem in words for the status bar, the file or address named as the user knows it.
QString describePageFileProblem(const PageFileProblem &problem, const QString &name);
