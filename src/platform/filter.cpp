#include "platform/filter.h"

#include "platform/text_conversions.h"

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
            QString text;
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

class Compiler
{
public:
    Compiler(const QList<Token> &tokens, const QHash<QString, ColumnKind> &columns)
        : m_tokens(tokens), m_columns(columns)
    {}

    std::optional<CompiledFilter> run()
    {
        CompiledFilter out;
        if (!expression(out.sql) || peek().kind != Token::End)
            return std::nullopt;
        out.parameters = m_parameters;
        return out;
    }

private:
    const Token &peek() const { return m_tokens[m_pos]; }
    bool isKeyword(const char *word) const
    {
        return peek().kind == Token::Word && peek().text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }

    bool expression(QString &sql)
    {
        if (!conjunction(sql))
            return false;
        while (isKeyword("or")) {
            ++m_pos;
            QString right;
            if (!conjunction(right))
                return false;
            sql = QStringLiteral("(%1 OR %2)").arg(sql, right);
        }
        return true;
    }

    bool conjunction(QString &sql)
    {
        if (!factor(sql))
            return false;
        while (isKeyword("and")) {
            ++m_pos;
            QString right;
            if (!factor(right))
                return false;
            sql = QStringLiteral("(%1 AND %2)").arg(sql, right);
        }
        return true;
    }

    bool factor(QString &sql)
    {
        if (peek().kind == Token::Open) {
            ++m_pos;
            if (!expression(sql) || peek().kind != Token::Close)
                return false;
            ++m_pos;
            return true;
        }
        if (isKeyword("not")) {
            ++m_pos;
            QString inner;
            if (!factor(inner))
                return false;
            sql = QStringLiteral("(NOT COALESCE(%1, 0))").arg(inner);
            return true;
        }
        return comparison(sql);
    }

    bool comparison(QString &sql)
    {
        const Token field = peek();
        if (field.kind != Token::Word || !m_columns.contains(field.text))
            return false;
        ++m_pos;
        const Token op = peek();
        if (op.kind != Token::Operator)
            return false;
        ++m_pos;
        const Token literal = peek();
        if (literal.kind != Token::Text && literal.kind != Token::Number)
            return false;
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
        if (!value.isValid()) {
            sql = QStringLiteral("0");
            return true;
        }
        m_parameters.append(value);
        sql = QStringLiteral("(%1 %2 ?)").arg(quoteIdentifier(field.text), op.text);
        return true;
    }

    const QList<Token> &m_tokens;
    const QHash<QString, ColumnKind> &m_columns;
    QVariantList m_parameters;
    int m_pos = 0;
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
