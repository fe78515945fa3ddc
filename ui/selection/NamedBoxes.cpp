#include "ui/selection/NamedBoxes.h"

#include <QLineEdit>

namespace selection {

Fields fieldsOfBoxes(const std::vector<NamedBox>& boxes)
{
    Fields fields;
    for (const NamedBox& named : boxes)
        if (!named.box->text().trimmed().isEmpty())
            fields.emplace_back(QString::fromLatin1(named.option), numberField(named.box->text()));
    return fields;
}

void putInBoxes(const std::vector<NamedBox>& boxes, const Fields& fields)
{
    for (const NamedBox& named : boxes) {
        named.box->setText(named.byDefault);
        for (const auto& [name, value] : fields)
            if (name == QLatin1String(named.option))
                named.box->setText(boxText(value));
    }
}

} // namespace selection
