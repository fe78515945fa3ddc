#pragma once
// A project: what the user typed for one substation, kept in a file (.vedan) to be opened again:
// the kind, each input with its unit, the regulator's choices, the season's inputs and the
// substation's, the object and a note. It records inputs, never results, so that opening a
// project and sizing gives what sizing gave before.
//
// The file is one JSON object in UTF-8 of at most 1 MiB whose first key is "vedanProject", the
// format's version. Each field has the name of its command-line option, a number is a JSON
// number and a unit its command-line token; keys this version does not know are written back as
// they were read. Depends on Qt Core, the JSON library, the selection's kinds and the
// substation's schemes (no Widgets).

#include "core/Failure.h"
#include "core/Json.h"

#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

namespace project {

inline constexpr int kFormatVersion = 1;
inline constexpr qint64 kMaxFileBytes = 1 << 20;
inline constexpr const char* kExtension = ".vedan";
inline constexpr const char* kVersionKey = "vedanProject";

// A field by its command-line option's name and its value as text: numbers with a decimal point,
// units, the scheme and the kind by their tokens, the series and the range as 1–3.
using Fields = std::vector<std::pair<QString, QString>>;

enum class Section { Inputs, Season, Substation };

struct Project {
    QString kind; // the kind's token
    QString object;
    QString note;
    QString programVersion; // of the program that wrote the file read; empty for a new project
    Fields inputs;          // the options of size, without "kind"
    Fields season;          // the season's own options
    Fields substation;      // "scheme" and the substation's own options
    json::Value document;   // as read: its keys unknown here are written back

    Fields& fields(Section section);
    const Fields& fields(Section section) const;
    // The value of a field, empty where the project has none.
    QString value(Section section, const QString& name) const;
    // Sets a field; an empty value removes it.
    void set(Section section, const QString& name, const QString& value);
};

// Where a field lives in the file and what it holds.
enum class FieldType { Number, OneToThree, PressureUnit, LoadUnit, HeadUnit, Scheme };
struct FieldRow {
    Section section;
    const char* name;   // the command-line option
    const char* key;    // the key in its section's object
    const char* member; // "value" or "unit" of a measured input's object; nullptr for a plain key
    FieldType type;
};
// The key of a section's object in the file: "inputs", "season", "substation".
const char* sectionKey(Section section);
// Every field in the order the file writes them.
const std::vector<FieldRow>& fieldRows();

// The version of this program, as the files it writes record it.
QString programVersion();

// The project of a file's bytes, or an input failure with a Russian message naming the field.
vedan::Outcome<Project> parseProject(const QByteArray& bytes);
// The file's bytes; `programVersion` is written as the program that wrote it. A field whose
// number does not read is refused with its name.
vedan::Outcome<QByteArray> projectBytes(const Project& project, const QString& programVersion);

// A project file read whole and parsed; the failure names the file and the reason.
vedan::Outcome<Project> readProject(const QString& path);
// Saved as every file of the program is saved: whole or not at all, never through a planted link.
vedan::Status writeProject(const QString& path, const Project& project,
                           const QString& programVersion);

} // namespace project
