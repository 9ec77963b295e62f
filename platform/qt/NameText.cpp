#include "platform/qt/NameText.h"

#include <QCollator>
#include <QStringDecoder>

#include <iterator>

namespace zuninfo {

namespace {

// The locale as language, script and territory ("sr-Cyrl-RS", "zh-Hant-TW"),
// so that the code page follows the script where a language has two.
QString LocaleTag(const QLocale& locale)
{
    return QLocale::languageToCode(locale.language()) + u'-' + QLocale::scriptToCode(locale.script()) + u'-'
        + QLocale::territoryToCode(locale.territory());
}

QStringDecoder AnsiDecoder(const QLocale& locale)
{
    const int codePage = AnsiCodePage(LocaleTag(locale).toStdString());
    return QStringDecoder(("windows-" + std::to_string(codePage)).c_str());
}

QCollator ListCollator(const QLocale& locale)
{
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

std::string Utf8(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString FromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Decode(QStringDecoder& decoder, std::string_view bytes)
{
    QString text = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    // A lead byte that ends the name waits in the decoder for the rest of
    // its character (a stateless decoder drops it unmarked). A NUL, a
    // character of its own in every code page, makes the decoder give what
    // it holds, and ends the name's state; the NUL itself is dropped again.
    text += decoder.decode(QByteArrayView("", 1));
    text.chop(1);
    MarkUnmappable(reinterpret_cast<char16_t*>(text.data()), static_cast<std::size_t>(text.size()));
    return text;
}

} // namespace

QString ShownText(std::string_view bytes, TextEncoding encoding, const QLocale& locale)
{
    if (encoding == TextEncoding::Utf8)
        return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QStringDecoder decoder = AnsiDecoder(locale);
    return Decode(decoder, bytes);
}

QStringList ListItems(const std::vector<std::string>& names, TextEncoding encoding, const QLocale& locale)
{
    QStringDecoder decoder = AnsiDecoder(locale);
    std::vector<QString> shown;
    shown.reserve(names.size());
    for (const std::string& name : names) {
        shown.push_back(encoding == TextEncoding::Utf8
                            ? QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()))
                            : Decode(decoder, name));
    }
    const QCollator collator = ListCollator(locale);
    std::vector<QString> items = ListItemsInOrder(names, std::move(shown), [&collator](const QString& a, const QString& b) {
        return collator.compare(a, b);
    });
    return QStringList(std::make_move_iterator(items.begin()), std::make_move_iterator(items.end()));
}

QtTextRules::QtTextRules(const QLocale& locale) : locale_(locale), collator_(ListCollator(locale)) {}

std::string QtTextRules::Shown(std::string_view bytes, TextEncoding encoding) const
{
    return Utf8(ShownText(bytes, encoding, locale_));
}

int QtTextRules::Collate(const std::string& a, const std::string& b) const
{
    return collator_.compare(FromUtf8(a), FromUtf8(b));
}

std::string QtTextRules::Folded(const std::string& text) const
{
    return Utf8(FromUtf8(text).toCaseFolded());
}

} // namespace zuninfo
