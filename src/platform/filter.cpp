#include "platform/filter.h"

#include "platform/text_conversions.h"

#include <algorithm>

namespace platform {

namespace {

struct Token {
    enum Kind { Word, Text, Number, Operator, Open, Close, End } kind;
    QString text;
};

// Splits the filter into tokens; returns false on an unterminated literal or a stray character.
bool tokenize(const QString &s, QList<Token> &tokens)
{
    int i = 0;
    const int n = s.size();
    while (i < n) {
        const QChar c = s[i];
        if (c.isSpace()) {
            ++i;
        } else if (c == u'\'') {
            // '' is the empty text, which the program stores as such, never NULL.
            QString text = QStringLiteral("");
            ++i;
            for (;;) {
                if (i >= n)
                    return false;
                if (s[i] == u'\'') {
                    if (i + 1 < n && s[i + 1] == u'\'') {
                        text += u'\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                text += s[i++];
            }
            tokens.append(Token{Token::Text, text});
        } else if (c.isDigit() || ((c == u'-' || c == u'+' || c == u'.') && i + 1 < n && s[i + 1].isDigit())) {
            int j = i + 1;
            while (j < n && (s[j].isDigit() || s[j] == u'.'))
                ++j;
            tokens.append(Token{Token::Number, s.mid(i, j - i)});
            i = j;
        } else if (c == u'(' || c == u')') {
            tokens.append(Token{c == u'(' ? Token::Open : Token::Close, QString(c)});
            ++i;
        } else if (c == u'[') {
            const int close = s.indexOf(u']', i + 1);
            if (close < 0)
                return false;
            tokens.append(Token{Token::Word, s.mid(i + 1, close - i - 1)});
            i = close + 1;
        } else if (c == u'=' || c == u'<' || c == u'>' || c == u'!') {
            QString op(c);
            if (i + 1 < n && (s[i + 1] == u'=' || (c == u'<' && s[i + 1] == u'>')))
                op += s[i + 1];
            if (op == QLatin1String("!"))
                return false;
            tokens.append(Token{Token::Operator, op == QLatin1String("!=") ? QStringLiteral("<>") : op});
            i += op.size();
        } else if (c.isLetterOrNumber() || c == u'_') {
            int j = i + 1;
            while (j < n && (s[j].isLetterOrNumber() || s[j] == u'_'))
                ++j;
            tokens.append(Token{Token::Word, s.mid(i, j - i)});
            i = j;
        } else {
            return false;
        }
    }
    tokens.append(Token{Token::End, {}});
    return true;
}

// A filter SQLite would refuse does not compile: it allows an expression tree 1000 high, a parse
// of 100 parser-stack entries (the recordset's SELECT and its own conditions take part of both)
// and 32766 bound values.
constexpr int maxSqlHeight = 900;
constexpr int maxSqlStack = 80;
constexpr int maxSqlParameters = 32766;
// Parentheses and "not" recurse in this parser, so their nesting is bounded.
constexpr int maxNesting = 64;
// Longer and/or chains are written as chains of parenthesized groups, keeping the tree low.
constexpr int chainGroup = 64;

// A piece of the condition, with the height of its expression tree and the parser-stack entries
// SQLite needs to read it.
struct Sql {
    QString text;
    int height = 0;
    int stack = 0;
};

// The parts as one flat parenthesized chain. SQLite reads it holding the parenthesis, and also the
// left operand and operator while it reads each later part; each operator adds a tree level.
Sql joinFlat(const QList<Sql> &parts, qsizetype from, qsizetype to, QLatin1String op)
{
    Sql out{QStringLiteral("("), parts[from].height, parts[from].stack};
    out.text += parts[from].text;
    for (qsizetype i = from + 1; i < to; ++i) {
        out.text += op;
        out.text += parts[i].text;
        out.height = std::max(out.height, parts[i].height) + 1;
        out.stack = std::max(out.stack, 2 + parts[i].stack);
    }
    out.text += u')';
    out.stack += 1;
    return out;
}

Sql joinChain(QList<Sql> parts, QLatin1String op)
{
    while (parts.size() > chainGroup) {
        QList<Sql> groups;
        for (qsizetype from = 0; from < parts.size(); from += chainGroup)
            groups.append(joinFlat(parts, from, std::min(from + chainGroup, parts.size()), op));
        parts = std::move(groups);
    }
    return parts.size() == 1 ? parts.first() : joinFlat(parts, 0, parts.size(), op);
}

class Compiler
{
public:
    Compiler(const QList<Token> &tokens, const QHash<QString, ColumnKind> &columns)
        : m_tokens(tokens), m_columns(columns)
    {}

    std::optional<CompiledFilter> run()
    {
        const std::optional<Sql> sql = expression();
        if (!sql || peek().kind != Token::End || sql->height > maxSqlHeight || sql->stack > maxSqlStack ||
            m_parameters.size() > maxSqlParameters)
            return std::nullopt;
        return CompiledFilter{sql->text, m_parameters};
    }

private:
    const Token &peek() const { return m_tokens[m_pos]; }
    bool isKeyword(QLatin1String word) const
    {
        return peek().kind == Token::Word && peek().text.compare(word, Qt::CaseInsensitive) == 0;
    }

    // The parts are kept apart and joined once, so a long chain costs no more than its length.
    std::optional<Sql> chain(QLatin1String keyword, QLatin1String op, std::optional<Sql> (Compiler::*operand)())
    {
        QList<Sql> parts;
        for (;;) {
            std::optional<Sql> part = (this->*operand)();
            if (!part)
                return std::nullopt;
            parts.append(std::move(*part));
            if (!isKeyword(keyword))
                return joinChain(std::move(parts), op);
            ++m_pos;
        }
    }

    std::optional<Sql> expression()
    {
        return chain(QLatin1String("or"), QLatin1String(" OR "), &Compiler::conjunction);
    }

    std::optional<Sql> conjunction() { return chain(QLatin1String("and"), QLatin1String(" AND "), &Compiler::factor); }

    std::optional<Sql> factor()
    {
        const bool open = peek().kind == Token::Open;
        if (!open && !isKeyword(QLatin1String("not")))
            return comparison();
        if (m_nesting == maxNesting)
            return std::nullopt;
        ++m_nesting;
        const std::optional<Sql> inner = open ? parenthesized() : negation();
        --m_nesting;
        return inner;
    }

    std::optional<Sql> parenthesized()
    {
        ++m_pos;
        std::optional<Sql> inner = expression();
        if (!inner || peek().kind != Token::Close)
            return std::nullopt;
        ++m_pos;
        return inner;
    }

    std::optional<Sql> negation()
    {
        ++m_pos;
        const std::optional<Sql> inner = factor();
        if (!inner)
            return std::nullopt;
        // NULL counts as false, so "not" is true unless the inner condition is.
        return Sql{u'(' + inner->text + QLatin1String(") IS NOT 1"), inner->height + 1, std::max(inner->stack + 1, 4)};
    }

    std::optional<Sql> comparison()
    {
        const Token field = peek();
        if (field.kind != Token::Word || !m_columns.contains(field.text))
            return std::nullopt;
        ++m_pos;
        const Token op = peek();
        if (op.kind != Token::Operator)
            return std::nullopt;
        ++m_pos;
        const Token literal = peek();
        if (literal.kind != Token::Text && literal.kind != Token::Number)
            return std::nullopt;
        ++m_pos;

        QVariant value;
        switch (m_columns.value(field.text)) {
        case ColumnKind::Text:
            value = literal.text;
            break;
        case ColumnKind::Number: {
            bool ok = false;
            const double number = literal.text.trimmed().toDouble(&ok);
            if (ok)
                value = number;
            break;
        }
        case ColumnKind::DateTime:
            if (literal.kind == Token::Text) {
                const QDateTime when = textToDateTime(literal.text);
                if (when.isValid())
                    value = dateTimeToStorage(when);
            }
            break;
        }
        if (!value.isValid())
            return Sql{QStringLiteral("0"), 1, 1};
        m_parameters.append(value);
        return Sql{quoteIdentifier(field.text) + u' ' + op.text + QLatin1String(" ?"), 2, 3};
    }

    const QList<Token> &m_tokens;
    const QHash<QString, ColumnKind> &m_columns;
    QVariantList m_parameters;
    qsizetype m_pos = 0;
    int m_nesting = 0;
};

} // namespace

std::optional<CompiledFilter> compileFilter(const QString &filter, const QHash<QString, ColumnKind> &columns)
{
    QList<Token> tokens;
    if (!tokenize(filter, tokens))
        return std::nullopt;
    return Compiler(tokens, columns).run();
}

QString filterLiteral(const QString &text)
{
    QString doubled = text;
    doubled.replace(u'\'', QStringLiteral("''"));
    return u'\'' + doubled + u'\'';
}

QString quoteIdentifier(const QString &name)
{
    QString doubled = name;
    doubled.replace(u'"', QStringLiteral("\"\""));
    return u'"' + doubled + u'"';
}

} // namespace platform
