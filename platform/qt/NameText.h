#pragma once

#include "platform/TextEncoding.h"

#include <QCollator>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <string>
#include <string_view>
#include <vector>

namespace zuninfo {

// The text shown for a name's bytes read in `encoding`: UTF-8, or the ANSI
// code page of `locale`. A sequence that cannot be decoded shows as U+FFFD.
QString ShownText(std::string_view bytes, TextEncoding encoding, const QLocale& locale = QLocale::system());

// The items of a list that shows these names (all read in `encoding`): their
// text, ordered as `locale` collates it with case ignored; names equal under
// that in the order of their bytes.
QStringList ListItems(const std::vector<std::string>& names, TextEncoding encoding,
                      const QLocale& locale = QLocale::system());

// The same rules for the table of all monsters: names decoded as
// ShownText decodes them, compared as ListItems orders them, and case
// folded the Unicode way.
class QtTextRules final : public TextRules {
public:
    explicit QtTextRules(const QLocale& locale = QLocale::system());

    std::string Shown(std::string_view bytes, TextEncoding encoding) const override;
    int Collate(const std::string& a, const std::string& b) const override;
    std::string Folded(const std::string& text) const override;

private:
    QLocale locale_;
    QCollator collator_;
};

} // namespace zuninfo
