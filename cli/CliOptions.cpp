#include "cli/CliOptions.h"

#include "cli/CliIo.h"
#include "core/Numbers.h"
#include "core/Units.h"

#include <algorithm>

namespace cli {

namespace {

const OptionSpec kHelp = {{QStringLiteral("h"), QStringLiteral("help")},
                          {},
                          QStringLiteral("показать эту справку и выйти")};

// "bar|mpa|kgf": the value of a unit option, the names of the units of its choice.
template <typename Table> QString tokenChoice(const Table& table)
{
    return units::tokens(table).join(QLatin1Char('|'));
}

// "МВт или Гкал/час": the items of a unit choice, for a help text.
template <typename Table> QString itemChoice(const Table& table)
{
    QStringList items;
    for (const auto& unit : table)
        items << QString::fromUtf8(unit.item);
    const QString last = items.takeLast();
    return items.isEmpty() ? last
                           : items.join(QStringLiteral(", ")) + QStringLiteral(" или ") + last;
}

} // namespace

QString optionTitle(const OptionSpec& option)
{
    QStringList names;
    for (const QString& name : option.names)
        names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    QString title = names.join(QStringLiteral(", "));
    if (!option.valueName.isEmpty())
        title += QLatin1Char(' ') + option.valueName;
    return title;
}

QString guideIndex() { return QStringLiteral(VEDAN_GUIDE_INDEX); }

const CommandSpec& toolSpec()
{
    static const CommandSpec spec = [] {
        QString summary = QStringLiteral("Подбор оборудования, работа в отопительный период, "
                                         "технико-экономическая оценка, файлы шаблонов и "
                                         "опросные листы из командной строки.\n\nКоманды:\n");
        qsizetype width = 0;
        for (const CommandSpec* command : commandSpecs())
            width = std::max(width, command->name.size());
        for (const CommandSpec* command : commandSpecs())
            summary += QStringLiteral("  ") + command->name.leftJustified(width + 2)
                       + command->brief + QLatin1Char('\n');
        summary +=
            QStringLiteral(
                "\nКоды завершения: 0 успех, 1 сообщение программы (ошибка ввода, расчёта или "
                "файла), 2 неверный параметр, 3 с --strict: не пройдена инженерная проверка.")
            + QStringLiteral("\n\nРуководство пользователя: ") + guideIndex();
        return CommandSpec{
            {},
            QStringLiteral("КОМАНДА [ПАРАМЕТРЫ]\n"
                           "vedan-cli КОМАНДА --help\n"
                           "vedan-cli --help | --version"),
            summary,
            {kHelp, {{QStringLiteral("version")}, {}, QStringLiteral("показать версию и выйти")}},
        };
    }();
    return spec;
}

const std::vector<const CommandSpec*>& commandSpecs()
{
    static const std::vector<const CommandSpec*> specs = {
        &sizeSpec(),     &seasonSpec(),        &substationSpec(), &assessSpec(),
        &templateSpec(), &questionnaireSpec(), &projectSpec()};
    return specs;
}

bool takesFile(const QString& option)
{
    for (const CommandSpec* command : commandSpecs())
        for (const OptionSpec& spec : command->options)
            if (spec.valueName.startsWith(QStringLiteral("ФАЙЛ"))
                && spec.names.contains(option.mid(2)))
                return true;
    return false;
}

const CommandSpec& sizeSpec()
{
    static const CommandSpec spec = {
        QStringLiteral("size"),
        QStringLiteral("size hydroelevator|control-valve|mixing-valve|regulator\n"
                       "    --inlet ТЕКСТ --inlet-unit %1 --outlet ТЕКСТ --outlet-unit %1\n"
                       "    --supply ТЕКСТ --return ТЕКСТ --load ТЕКСТ --load-unit %2\n"
                       "    --resistance ТЕКСТ --resistance-unit %3 [--series 1|2|3] "
                       "[--range 1|2|3]\n"
                       "    [--project ФАЙЛ.vedan] [--checks] [--json [--steps]] [--strict] "
                       "[--xlsx ФАЙЛ] [--pdf ФАЙЛ] "
                       "[--object ТЕКСТ]\n"
                       "vedan-cli size --batch ФАЙЛ.csv [--out ФАЙЛ.csv|.json|.xlsx] [--strict]")
            .arg(tokenChoice(units::kPressureUnits), tokenChoice(units::kLoadUnits),
                 tokenChoice(units::kHeadUnits)),
        QStringLiteral("Подбор оборудования, как в окне подбора: строки результата, инженерные "
                       "проверки, отчёт .xlsx и расчётный лист PDF. Дробные числа вводятся с "
                       "десятичной запятой или точкой; отрицательные значения передаются расчёту "
                       "как введены. "
                       "Вместо ФАЙЛ можно указать «-» — стандартный вывод. Код завершения: 0 — "
                       "подбор выполнен, 1 — сообщение программы, 2 — неверный параметр, 3 — "
                       "с --strict: не пройдена инженерная проверка (в пакете: ни одна строка не "
                       "закончилась сообщением, но хотя бы в одной не пройдена проверка)."),
        {
            {{QStringLiteral("inlet")},
             QStringLiteral("ТЕКСТ"),
             QStringLiteral("давление на входе системы")},
            {{QStringLiteral("inlet-unit")},
             tokenChoice(units::kPressureUnits),
             QStringLiteral("единица давления на входе")},
            {{QStringLiteral("outlet")},
             QStringLiteral("ТЕКСТ"),
             QStringLiteral("давление на выходе системы")},
            {{QStringLiteral("outlet-unit")},
             tokenChoice(units::kPressureUnits),
             QStringLiteral("единица давления на выходе")},
            {{QStringLiteral("supply")},
             QStringLiteral("ТЕКСТ"),
             QStringLiteral("температура в подающем трубопроводе, °C")},
            {{QStringLiteral("return")},
             QStringLiteral("ТЕКСТ"),
             QStringLiteral("температура в обратном трубопроводе, °C")},
            {{QStringLiteral("load")},
             QStringLiteral("ТЕКСТ"),
             QStringLiteral("тепловая нагрузка")},
            {{QStringLiteral("load-unit")},
             tokenChoice(units::kLoadUnits),
             QStringLiteral("единица нагрузки: ") + itemChoice(units::kLoadUnits)},
            {{QStringLiteral("resistance")},
             QStringLiteral("ТЕКСТ"),
             QStringLiteral("сопротивление системы")},
            {{QStringLiteral("resistance-unit")},
             tokenChoice(units::kHeadUnits),
             QStringLiteral("единица сопротивления: м вод. ст.")},
            {{QStringLiteral("series")},
             QStringLiteral("1|2|3"),
             QStringLiteral("тип регулятора: ЖМ, НС-А, НС-В")},
            {{QStringLiteral("range")},
             QStringLiteral("1|2|3"),
             QStringLiteral("диапазон настройки регулятора")},
            {{QStringLiteral("project")},
             QStringLiteral("ФАЙЛ.vedan"),
             QStringLiteral("взять исходные данные из проекта; параметры, указанные рядом, "
                            "заменяют значения проекта")},
            {{QStringLiteral("checks")}, {}, QStringLiteral("добавить инженерные проверки")},
            {{QStringLiteral("json")}, {}, QStringLiteral("вывести всё одним объектом JSON")},
            {{QStringLiteral("steps")},
             {},
             QStringLiteral("с --json: добавить шаги расчётного листа и допущения")},
            {{QStringLiteral("strict")},
             {},
             QStringLiteral("завершиться с кодом 3, если не пройдена инженерная проверка")},
            {{QStringLiteral("xlsx")},
             QStringLiteral("ФАЙЛ"),
             QStringLiteral("записать отчёт о подборе в книгу .xlsx")},
            {{QStringLiteral("pdf")},
             QStringLiteral("ФАЙЛ"),
             QStringLiteral("записать расчётный лист в PDF")},
            {{QStringLiteral("object")},
             QStringLiteral("ТЕКСТ"),
             QStringLiteral("название объекта в расчётном листе")},
            {{QStringLiteral("batch")},
             QStringLiteral("ФАЙЛ.csv"),
             QStringLiteral("пакетный подбор: строки таблицы CSV (через «;»)")},
            {{QStringLiteral("out")},
             QStringLiteral("ФАЙЛ"),
             QStringLiteral("результат пакета: .csv, .json или .xlsx; без него — CSV на "
                            "стандартный вывод")},
            kHelp,
        },
        QStringLiteral("подбор гидроэлеватора, клапана или регулятора; пакетный подбор"),
    };
    return spec;
}

const CommandSpec& seasonSpec()
{
    static const CommandSpec spec = [] {
        CommandSpec s{
            QStringLiteral("season"),
            QStringLiteral("season hydroelevator|control-valve|mixing-valve|regulator\n"
                           "    ПАРАМЕТРЫ ПОДБОРА (как у size) --outdoor-design T [--indoor T] "
                           "[--cut T]\n"
                           "    [--season-end T] [--step K] [--json] [--out ФАЙЛ.csv|.json|.xlsx]\n"
                           "    [--pdf ФАЙЛ [--object ТЕКСТ]]"),
            QStringLiteral("Работа подобранного оборудования в течение отопительного периода: "
                           "график качественного регулирования со срезкой (Е. Я. Соколов, "
                           "«Теплофикация и тепловые сети»), от расчётной температуры наружного "
                           "воздуха до конца периода, с проверками в каждой точке. Код "
                           "завершения: 0 — расчёт выполнен, 1 — сообщение программы при подборе, "
                           "2 — неверный параметр или недопустимый график."),
            {}};
        s.brief = QStringLiteral("работа подобранного оборудования в отопительный период");
        // The inputs of the selection, as size takes them.
        for (const OptionSpec& option : sizeSpec().options) {
            if (option.names.front() == QLatin1String("checks"))
                break;
            s.options.push_back(option);
        }
        const std::vector<OptionSpec> own = {
            {{QStringLiteral("outdoor-design")},
             QStringLiteral("T"),
             QStringLiteral("расчётная температура наружного воздуха, °C (обязательно)")},
            {{QStringLiteral("indoor")},
             QStringLiteral("T"),
             QStringLiteral("температура внутреннего воздуха, °C (по умолчанию 18)")},
            {{QStringLiteral("cut")},
             QStringLiteral("T"),
             QStringLiteral("температура срезки подачи, °C (по умолчанию 70, если подача выше)")},
            {{QStringLiteral("season-end")},
             QStringLiteral("T"),
             QStringLiteral("температура наружного воздуха в конце периода, °C (по умолчанию 8)")},
            {{QStringLiteral("step")},
             QStringLiteral("K"),
             QStringLiteral("шаг по температуре наружного воздуха, К (по умолчанию 1)")},
            {{QStringLiteral("json")}, {}, QStringLiteral("вывести всё одним объектом JSON")},
            {{QStringLiteral("out")},
             QStringLiteral("ФАЙЛ"),
             QStringLiteral("записать точки в .csv, .json или .xlsx (строка — точка)")},
            {{QStringLiteral("pdf")},
             QStringLiteral("ФАЙЛ"),
             QStringLiteral("записать расчётный лист со страницей отопительного сезона в PDF")},
            {{QStringLiteral("object")},
             QStringLiteral("ТЕКСТ"),
             QStringLiteral("название объекта в расчётном листе")},
            kHelp,
        };
        s.options.insert(s.options.end(), own.begin(), own.end());
        return s;
    }();
    return spec;
}

const CommandSpec& substationSpec()
{
    static const CommandSpec spec = [] {
        CommandSpec s{
            QStringLiteral("substation"),
            QStringLiteral("substation elevator|valve|valve-regulator|regulator\n"
                           "    ПАРАМЕТРЫ ПОДБОРА (как у size) [--other-losses М] [--authority A]\n"
                           "    [--max-elevator-head М] [--min-bore ММ] [--json] [--strict]\n"
                           "    [--pdf ФАЙЛ] [--object ТЕКСТ]\n"
                           "vedan-cli substation --batch ФАЙЛ.csv [--out ФАЙЛ.csv|.json|.xlsx] "
                           "[--strict]"),
            QStringLiteral("Распределение располагаемого напора теплового пункта между прочими "
                           "потерями, дроссельной диафрагмой, регулятором перепада давления, "
                           "регулирующим клапаном, элеватором и системой, в порядке движения "
                           "воды, с подбором каждого устройства на его перепад и проверками. "
                           "Дробные числа вводятся с десятичной запятой или точкой. Код "
                           "завершения: 0 — расчёт выполнен, 1 — сообщение программы, 2 — "
                           "неверный параметр, 3 — с --strict: не пройдена инженерная проверка "
                           "(в пакете: ни одна строка не закончилась сообщением, но хотя бы в "
                           "одной не пройдена проверка)."),
            {}};
        s.brief = QStringLiteral("распределение напора теплового пункта, дроссельные диафрагмы");
        // The inputs of the selection, as size takes them; the regulator is always of the
        // series ЖМ, with the setting range of --range.
        for (const OptionSpec& option : sizeSpec().options) {
            if (option.names.front() == QLatin1String("checks"))
                break;
            s.options.push_back(option);
            if (option.names.front() == QLatin1String("series"))
                s.options.back().description =
                    QStringLiteral("не учитывается: регулятор перепада давления серии ЖМ");
        }
        const std::vector<OptionSpec> own = {
            {{QStringLiteral("other-losses")},
             QStringLiteral("М"),
             QStringLiteral("прочие потери напора на входе, м (по умолчанию 0)")},
            {{QStringLiteral("authority")},
             QStringLiteral("A"),
             QStringLiteral("целевой авторитет клапана за регулятором (по умолчанию 0,5)")},
            {{QStringLiteral("max-elevator-head")},
             QStringLiteral("М"),
             QStringLiteral("наибольший напор сопла элеватора, м (по умолчанию 35)")},
            {{QStringLiteral("min-bore")},
             QStringLiteral("ММ"),
             QStringLiteral("наименьший диаметр отверстия диафрагмы и сопла, мм (по умолчанию "
                            "3)")},
            {{QStringLiteral("json")}, {}, QStringLiteral("вывести всё одним объектом JSON")},
            {{QStringLiteral("strict")},
             {},
             QStringLiteral("завершиться с кодом 3, если не пройдена инженерная проверка")},
            {{QStringLiteral("pdf")},
             QStringLiteral("ФАЙЛ"),
             QStringLiteral("записать расчётный лист со страницей распределения напора в PDF")},
            {{QStringLiteral("object")},
             QStringLiteral("ТЕКСТ"),
             QStringLiteral("название объекта в расчётном листе")},
            {{QStringLiteral("batch")},
             QStringLiteral("ФАЙЛ.csv"),
             QStringLiteral("пакетный расчёт: строки таблицы CSV (через «;»), столбец scheme и "
                            "параметры без дефисов")},
            {{QStringLiteral("out")},
             QStringLiteral("ФАЙЛ"),
             QStringLiteral("результат пакета: .csv, .json или .xlsx; без него — CSV на "
                            "стандартный вывод")},
            kHelp,
        };
        s.options.insert(s.options.end(), own.begin(), own.end());
        return s;
    }();
    return spec;
}

const CommandSpec& assessSpec()
{
    static const CommandSpec spec = {
        QStringLiteral("assess"),
        QStringLiteral("assess ФАЙЛ.teo --system heating|hot-water|both [--json] [--xlsx ФАЙЛ]"),
        QStringLiteral("Технико-экономическая оценка по файлу шаблона: строки отчёта, как в "
                       "окне оценки."),
        {
            {{QStringLiteral("system")},
             QStringLiteral("heating|hot-water|both"),
             QStringLiteral("система: отопление, горячее водоснабжение или обе")},
            {{QStringLiteral("json")}, {}, QStringLiteral("вывести всё одним объектом JSON")},
            {{QStringLiteral("xlsx")},
             QStringLiteral("ФАЙЛ"),
             QStringLiteral("записать отчёт в книгу .xlsx («-» — стандартный вывод)")},
            kHelp,
        },
        QStringLiteral("технико-экономическая оценка по файлу шаблона"),
    };
    return spec;
}

const CommandSpec& templateSpec()
{
    static const CommandSpec spec = {
        QStringLiteral("template"),
        QStringLiteral("template ФАЙЛ.teo [--json]"),
        QStringLiteral("Содержимое файла шаблона оценки."),
        {
            {{QStringLiteral("json")}, {}, QStringLiteral("вывести запись объектом JSON")},
            kHelp,
        },
        QStringLiteral("содержимое файла шаблона оценки"),
    };
    return spec;
}

const CommandSpec& questionnaireSpec()
{
    static const CommandSpec spec = {
        QStringLiteral("questionnaire"),
        QStringLiteral("questionnaire itp|btp|plate --xlsx ФАЙЛ [--answers ФАЙЛ.json]"),
        QStringLiteral("Опросный лист ИТП, БТП или теплообменника в книге .xlsx."),
        {
            {{QStringLiteral("xlsx")},
             QStringLiteral("ФАЙЛ"),
             QStringLiteral("книга .xlsx («-» — стандартный вывод)")},
            {{QStringLiteral("answers")},
             QStringLiteral("ФАЙЛ.json"),
             QStringLiteral("ответы: объект JSON, имя элемента → значение")},
            kHelp,
        },
        QStringLiteral("опросный лист в книге .xlsx"),
    };
    return spec;
}

QString versionText() { return QStringLiteral("vedan-cli " VEDAN_VERSION); }

QStringList synopsisLines(const CommandSpec& spec, const QString& indent)
{
    QStringList lines;
    for (const QString& line : spec.synopsis.split(QLatin1Char('\n'))) {
        if (lines.isEmpty())
            lines << QStringLiteral("vedan-cli ") + line;
        else if (line.startsWith(QLatin1Char(' ')))
            lines << indent + QStringLiteral("    ") + line.trimmed();
        else
            lines << indent + line;
    }
    return lines;
}

QString helpText(const CommandSpec& spec)
{
    const QString title = QStringLiteral("Использование: ");
    QString text =
        title
        + synopsisLines(spec, QString(title.size(), QLatin1Char(' '))).join(QLatin1Char('\n'));
    text += QStringLiteral("\n\n") + spec.summary + QStringLiteral("\n\nПараметры:\n");
    int width = 0;
    for (const OptionSpec& option : spec.options)
        width = std::max(width, static_cast<int>(optionTitle(option).size()));
    for (const OptionSpec& option : spec.options)
        text += QStringLiteral("  ") + optionTitle(option).leftJustified(width + 2)
                + option.description + QLatin1Char('\n');
    return text.chopped(1);
}

QString usageText()
{
    QString text = QStringLiteral("Использование:");
    for (const CommandSpec* spec : commandSpecs())
        text += QStringLiteral("\n  ")
                + synopsisLines(*spec, QStringLiteral("  ")).join(QLatin1Char('\n'));
    return text
           + QStringLiteral("\n  vedan-cli --help | --version\n"
                            "Подробнее: vedan-cli КОМАНДА --help");
}

std::optional<int> parseCommand(QCommandLineParser& parser, const CommandSpec& spec,
                                const QStringList& args)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    for (const OptionSpec& option : spec.options)
        parser.addOption(QCommandLineOption(option.names, option.description, option.valueName));
    if (!parser.parse(QStringList{QStringLiteral("vedan-cli")} + args)) {
        QStringList unknown;
        for (const QString& name : parser.unknownOptionNames())
            unknown << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
        return usage(unknown.isEmpty()
                         ? QStringLiteral("у параметра нет значения или значение лишнее")
                         : QStringLiteral("неизвестный параметр: ")
                               + unknown.join(QStringLiteral(", ")));
    }
    if (parser.isSet(QStringLiteral("help"))) {
        out(helpText(spec));
        return 0;
    }
    return std::nullopt;
}

std::optional<QString> single(const QCommandLineParser& parser, const QString& name)
{
    const QStringList values = parser.values(name);
    if (values.size() > 1)
        return std::nullopt;
    return values.isEmpty() ? QString() : values.front();
}

std::optional<QString> readNumbers(const QCommandLineParser& parser,
                                   std::initializer_list<NumberOption> options)
{
    for (const NumberOption& o : options) {
        const QString option = QString::fromLatin1(o.name);
        const std::optional<QString> value = single(parser, option);
        if (!value)
            return QStringLiteral("параметр --%1 указан дважды").arg(option);
        if (!parser.isSet(option))
            continue;
        *o.target = num::parseEitherSeparator(*value);
        if (!*o.target)
            return QStringLiteral("--%1: «%2» не число").arg(option, *value);
    }
    return std::nullopt;
}

const CommandSpec& projectSpec()
{
    static const CommandSpec spec = [] {
        CommandSpec s{
            QStringLiteral("project"),
            QStringLiteral("project new hydroelevator|control-valve|mixing-valve|regulator\n"
                           "    ПАРАМЕТРЫ ПОДБОРА (как у size) [ПАРАМЕТРЫ СЕЗОНА (как у season)]\n"
                           "    [--scheme СХЕМА] [--substation-range 1|2|3] [ПАРАМЕТРЫ ТЕПЛОВОГО "
                           "ПУНКТА (как у substation)]\n"
                           "    [--object ТЕКСТ] [--note ТЕКСТ] --out ФАЙЛ.vedan"),
            QStringLiteral("Новый проект: исходные данные подбора, отопительного сезона и "
                           "теплового пункта в файле .vedan, который открывает окно подбора "
                           "(«Файл» → «Открыть проект…») и читают команды с --project. Код "
                           "завершения: 0 — проект записан, 1 — файл не записан, 2 — неверный "
                           "параметр."),
            {}};
        s.brief = QStringLiteral("новый файл проекта .vedan");
        const auto taken = [&s](const CommandSpec& from, const QStringList& names) {
            for (const OptionSpec& option : from.options)
                if (names.contains(option.names.front()))
                    s.options.push_back(option);
        };
        // The inputs of the selection as size takes them, with --project: a new project that starts
        // from another one.
        for (const OptionSpec& option : sizeSpec().options) {
            if (option.names.front() == QLatin1String("checks"))
                break;
            s.options.push_back(option);
        }
        taken(seasonSpec(),
              {QStringLiteral("outdoor-design"), QStringLiteral("indoor"), QStringLiteral("cut"),
               QStringLiteral("season-end"), QStringLiteral("step")});
        // A project may leave the season out: its design temperature is the season's to require.
        for (OptionSpec& option : s.options)
            if (option.names.front() == QLatin1String("outdoor-design"))
                option.description = QStringLiteral("расчётная температура наружного воздуха, °C");
        s.options.push_back({{QStringLiteral("scheme")},
                             QStringLiteral("elevator|valve|valve-regulator|regulator"),
                             QStringLiteral("схема теплового пункта")});
        s.options.push_back({{QStringLiteral("substation-range")},
                             QStringLiteral("1|2|3"),
                             QStringLiteral("диапазон настройки регулятора перепада давления "
                                            "теплового пункта")});
        taken(substationSpec(), {QStringLiteral("other-losses"), QStringLiteral("authority"),
                                 QStringLiteral("max-elevator-head"), QStringLiteral("min-bore")});
        s.options.push_back({{QStringLiteral("object")},
                             QStringLiteral("ТЕКСТ"),
                             QStringLiteral("название и адрес объекта")});
        s.options.push_back(
            {{QStringLiteral("note")}, QStringLiteral("ТЕКСТ"), QStringLiteral("примечание")});
        s.options.push_back({{QStringLiteral("out")},
                             QStringLiteral("ФАЙЛ.vedan"),
                             QStringLiteral("файл проекта; «-» — стандартный вывод")});
        s.options.push_back(kHelp);
        return s;
    }();
    return spec;
}

} // namespace cli
