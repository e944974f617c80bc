#include "platform/LongTimeFormatParser.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace pvstim {

namespace {

// One element of a Qt time format: a run of one field letter, or literal text
// (quoted text with its quotes resolved, or characters that are no field).
struct TimeToken {
    enum Kind { Hour, Minute, Second, Designator, OtherField, Literal };
    Kind kind;
    QChar letter;  // the field's first letter
    int count = 0; // how many letters the field has
    QString text;  // a literal's text

    std::optional<LongTimeFormat::Field> field() const
    {
        switch (kind) {
        case Hour: return LongTimeFormat::Field::Hour;
        case Minute: return LongTimeFormat::Field::Minute;
        case Second: return LongTimeFormat::Field::Second;
        default: return std::nullopt;
        }
    }
};

std::vector<TimeToken> timeTokens(const QString& format)
{
    std::vector<TimeToken> tokens;
    const auto literal = [&](const QString& text) {
        if (!tokens.empty() && tokens.back().kind == TimeToken::Literal)
            tokens.back().text += text;
        else
            tokens.push_back({ TimeToken::Literal, {}, 0, text });
    };
    qsizetype i = 0;
    while (i < format.size()) {
        const QChar c = format[i];
        if (c == QLatin1Char('\'')) {
            // Quoted text runs to the next lone quote; a doubled quote is a quote.
            QString text;
            ++i;
            while (i < format.size()) {
                if (format[i] == QLatin1Char('\'')) {
                    if (i + 1 < format.size() && format[i + 1] == QLatin1Char('\'')) {
                        text += QLatin1Char('\'');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                text += format[i++];
            }
            literal(text.isEmpty() ? QStringLiteral("'") : text);
            continue;
        }
        if (c == QLatin1Char('a') || c == QLatin1Char('A')) {
            // "a", "A", "ap", "AP", "aP", "Ap".
            const int length = i + 1 < format.size() && format[i + 1].toLower() == QLatin1Char('p') ? 2 : 1;
            tokens.push_back({ TimeToken::Designator, c, length, {} });
            i += length;
            continue;
        }
        TimeToken::Kind kind = TimeToken::Literal;
        if (c == QLatin1Char('h') || c == QLatin1Char('H'))
            kind = TimeToken::Hour;
        else if (c == QLatin1Char('m'))
            kind = TimeToken::Minute;
        else if (c == QLatin1Char('s'))
            kind = TimeToken::Second;
        else if (c == QLatin1Char('z') || c == QLatin1Char('t'))
            kind = TimeToken::OtherField;
        if (kind == TimeToken::Literal) {
            literal(QString(c));
            ++i;
            continue;
        }
        int count = 0;
        while (i < format.size() && format[i] == c) {
            ++count;
            ++i;
        }
        tokens.push_back({ kind, c, count, {} });
    }
    return tokens;
}

// The literal text between two tokens; fields in between add nothing.
QString literalText(std::vector<TimeToken>::const_iterator from, std::vector<TimeToken>::const_iterator to)
{
    QString text;
    for (auto it = from; it < to; ++it) {
        if (it->kind == TimeToken::Literal)
            text += it->text;
    }
    return text;
}

// Punctuation, perhaps with spaces around it, and nothing else.
bool isSeparator(const QString& text)
{
    bool punctuation = false;
    for (const QChar c : text) {
        if (c.isPunct())
            punctuation = true;
        else if (!c.isSpace())
            return false;
    }
    return punctuation;
}

// What stays of the text between the designator and the time when its words go:
// its punctuation, and each run of spaces as one.
QString spacing(const QString& text)
{
    QString gap;
    for (const QChar c : text) {
        if (c.isLetterOrNumber() || c.isMark())
            continue;
        if (c.isSpace() && !gap.isEmpty() && gap.back().isSpace())
            continue;
        gap += c;
    }
    return gap;
}

}  // namespace

LongTimeFormat LongTimeFormatParser::parse(const QString& qtFormat, const QString& am, const QString& pm)
{
    using Field = LongTimeFormat::Field;
    const std::vector<TimeToken> tokens = timeTokens(qtFormat);
    const auto find = [&](TimeToken::Kind kind) {
        return std::find_if(tokens.begin(), tokens.end(), [kind](const TimeToken& t) { return t.kind == kind; });
    };
    const auto hour = find(TimeToken::Hour);
    const auto minute = find(TimeToken::Minute);
    const auto designator = find(TimeToken::Designator);

    LongTimeFormat f;
    f.amDesignator = am;
    f.pmDesignator = pm;
    // Qt's "H" counts 0..23 even beside a designator; "h" without one does too.
    f.twelveHour = designator != tokens.end() && hour != tokens.end() && hour->letter == QLatin1Char('h');
    f.leadingZeroHour = hour == tokens.end() || hour->count >= 2;

    // The fields in the order they first appear; any the format lacks follow in
    // their usual order.
    std::vector<Field> order;
    for (const TimeToken& t : tokens) {
        if (const std::optional<Field> field = t.field(); field && std::find(order.begin(), order.end(), *field) == order.end())
            order.push_back(*field);
    }
    for (const Field field : { Field::Hour, Field::Minute, Field::Second }) {
        if (std::find(order.begin(), order.end(), field) == order.end())
            order.push_back(field);
    }
    std::copy(order.begin(), order.end(), f.order.begin());

    // The text between hours and minutes is the separator only when it is
    // punctuation: words such as "h" or "時" stand for the field before them.
    if (hour != tokens.end() && minute != tokens.end()) {
        const QString between = literalText(std::min(hour, minute) + 1, std::max(hour, minute));
        if (isSeparator(between))
            f.separator = between;
    }

    if (f.twelveHour) {
        const auto isField = [](const TimeToken& t) { return t.field().has_value(); };
        const auto firstField = std::find_if(tokens.begin(), tokens.end(), isField);
        const auto lastField = std::find_if(tokens.rbegin(), tokens.rend(), isField).base() - 1;
        f.designatorFirst = designator < firstField;
        f.designatorGap = f.designatorFirst ? spacing(literalText(designator + 1, firstField))
                                            : spacing(literalText(lastField + 1, designator));
    }
    return f;
}

}  // namespace pvstim
