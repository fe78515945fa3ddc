#pragma once
// What the user's guide shares with the windows that open it: its chapters in order, the anchor
// of a check on the checks chapter, and the program's keyboard shortcuts, which the windows bind
// and the guide prints. Depends on Qt Core only.

#include <QString>
#include <span>

namespace guide {

// The chapters' file names without ".html", in the order of the guide.
inline constexpr const char* kChapters[] = {
    "index",    "start",      "methods",        "checks",     "sheet", "season", "substation",
    "projects", "assessment", "questionnaires", "worksheets", "cli",   "keys",   "errors",
};

// The chapter the checks are explained in, and the anchor of one of them: "check-valve.cavitation".
inline constexpr char kChecksChapter[] = "checks";
QString checkAnchor(const QString& checkId);

// Whether the name is one of kChapters.
bool isChapter(const QString& name);

// A keyboard shortcut: its name for the code, its keys in QKeySequence's portable text
// ("Ctrl+Shift+S"), where it works and what it does, in Russian.
struct Shortcut {
    const char* name;
    const char* keys;
    const char* where;
    const char* what;
};

// Every shortcut the program binds from this table, in the order the guide prints them.
std::span<const Shortcut> shortcuts();
// The keys of the named shortcut; empty for a name the table does not have.
QString keysOf(const char* name);

} // namespace guide
