#include "core/Guide.h"

#include <algorithm>
#include <cstring>

namespace guide {

namespace {

const Shortcut kShortcuts[] = {
    {"Help", "F1", "любое окно", "открыть раздел руководства об этом окне"},
    {"HelpOnCheck", "F1", "окно проверок", "открыть описание выбранной проверки"},
    {"OpenProject", "Ctrl+O", "окно подбора", "открыть проект"},
    {"SaveProject", "Ctrl+S", "окно подбора", "сохранить проект"},
    {"SaveProjectAs", "Ctrl+Shift+S", "окно подбора", "сохранить проект под другим именем"},
    {"GuideFind", "Ctrl+F", "руководство", "найти на странице"},
    {"GuideFindNext", "F3", "руководство", "следующее совпадение (и Enter в строке поиска)"},
    {"GuideFindPrevious", "Shift+F3", "руководство", "предыдущее совпадение"},
    {"GuideBack", "Alt+Left", "руководство", "назад"},
    {"GuideForward", "Alt+Right", "руководство", "вперёд"},
    {"GuideHome", "Alt+Home", "руководство", "содержание"},
    {"GuideClose", "Esc", "руководство", "закрыть строку поиска, затем окно"},
};

} // namespace

QString checkAnchor(const QString& checkId) { return QStringLiteral("check-") + checkId; }

bool isChapter(const QString& name)
{
    return std::any_of(std::begin(kChapters), std::end(kChapters),
                       [&](const char* chapter) { return name == QLatin1String(chapter); });
}

std::span<const Shortcut> shortcuts() { return kShortcuts; }

QString keysOf(const char* name)
{
    for (const Shortcut& s : kShortcuts)
        if (std::strcmp(s.name, name) == 0)
            return QString::fromLatin1(s.keys);
    return {};
}

} // namespace guide
