#pragma once
// The answers file of the command-line questionnaire: a JSON object mapping the panel's control
// names to a text (edit box, memo), an item index or exact item text (combo box) or true/false
// (check box), applied over the panel's defaults. The file is read only when it is a regular
// file of at most kMaxAnswersSize bytes. Failures are of kind Input, in Russian, naming the file
// and the reason. Depends on Qt Core only.

#include "core/Failure.h"
#include "questionnaire/Panels.h"

#include <QByteArray>
#include <QString>

namespace questionnaire {

constexpr qint64 kMaxAnswersSize = qint64(1024) * 1024; // 1 MiB, far beyond any questionnaire

// Applies the answers held in `bytes` (the file's content; `path` names it in messages).
vedan::Status applyAnswers(const QByteArray& bytes, const QString& path, const PanelSpec& panel,
                           PanelValues& values);
// Reads the file at `path` and applies its answers.
vedan::Status readAnswersFile(const QString& path, const PanelSpec& panel, PanelValues& values);

} // namespace questionnaire
