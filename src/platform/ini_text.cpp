#include "platform/ini_text.h"

#include <QList>

namespace ovant {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

QByteArray trimmed(QByteArray bytes) {
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && isBlank(bytes.at(begin))) ++begin;
    while (end > begin && isBlank(bytes.at(end - 1))) --end;
    return bytes.mid(begin, end - begin);
}

// One line of the file: where it starts and its text without the line end.
struct Line {
    qsizetype start = 0;
    qsizetype length = 0;  // without "\n" or "\r\n"
    qsizetype next = 0;    // where the following line starts
};

QList<Line> linesOf(const QByteArray& text) {
    QList<Line> lines;
    qsizetype start = 0;
    // A byte-order mark belongs to no line.
    if (text.startsWith("\xEF\xBB\xBF"))
        start = 3;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        const qsizetype next = end < 0 ? text.size() : end + 1;
        if (end < 0)
            end = text.size();
        qsizetype length = end - start;
        if (length > 0 && text.at(start + length - 1) == '\r')
            --length;
        lines.append({start, length, next});
        start = next;
    }
    return lines;
}

// The section a header line opens, if it is one.
std::optional<QByteArray> headerOf(const QByteArray& line) {
    const QByteArray text = trimmed(line);
    if (!text.startsWith('['))
        return std::nullopt;
    const qsizetype close = text.indexOf(']');
    if (close < 0)
        return std::nullopt;
    return text.mid(1, close - 1);
}

// Where the value of a "key=value" line for `key` starts; -1 for other lines.
qsizetype valueStartFor(const QByteArray& line, const QByteArray& key) {
    const QByteArray text = trimmed(line);
    if (text.isEmpty() || text.startsWith(';') || text.startsWith('['))
        return -1;
    const qsizetype equals = line.indexOf('=');
    if (equals < 0 || trimmed(line.left(equals)) != key)
        return -1;
    return equals + 1;
}

// Visits every line with the section it lies in.
template <typename Visit>
void forEachLine(const QByteArray& text, Visit visit) {
    QByteArray section;
    for (const Line& line : linesOf(text)) {
        const QByteArray bytes = text.mid(line.start, line.length);
        if (const auto header = headerOf(bytes)) {
            section = *header;
            visit(line, bytes, section, true);
        } else {
            visit(line, bytes, section, false);
        }
    }
}

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    return (c | 0x20) - 'a' + 10;
}

QByteArray hexEscape(char32_t code) {
    return "\\x" + QByteArray::number(static_cast<uint>(code), 16);
}

}  // namespace

std::optional<QString> iniDecode(QByteArray raw) {
    // The value ends where an unquoted ";" starts a comment.
    bool quoted = false;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const char c = raw.at(i);
        if (c == '\\') {
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ';' && !quoted) {
            raw.truncate(i);
            break;
        }
    }
    raw = trimmed(raw);

    QString out;
    QByteArray pending;  // UTF-8 bytes not yet turned into characters
    const auto flush = [&] {
        out += QString::fromUtf8(pending);
        pending.clear();
    };
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const char c = raw.at(i);
        if (c == '"')
            continue;
        if (c != '\\') {
            pending += c;
            continue;
        }
        if (++i >= raw.size())
            break;  // a closing backslash continues nothing here
        const char e = raw.at(i);
        char32_t code = 0;
        bool numeric = false;
        switch (e) {
            case 'a':
                pending += '\a';
                break;
            case 'b':
                pending += '\b';
                break;
            case 'f':
                pending += '\f';
                break;
            case 'n':
                pending += '\n';
                break;
            case 'r':
                pending += '\r';
                break;
            case 't':
                pending += '\t';
                break;
            case 'v':
                pending += '\v';
                break;
            case '"':
            case '\'':
            case '?':
            case '\\':
                pending += e;
                break;
            case 'x':
                numeric = true;
                while (i + 1 < raw.size() && isHexDigit(raw.at(i + 1)) && code <= 0xFFFF)
                    code = code * 16 + static_cast<char32_t>(hexValue(raw.at(++i)));
                break;
            default:
                if (e >= '0' && e <= '7') {
                    numeric = true;
                    code = static_cast<char32_t>(e - '0');
                    while (i + 1 < raw.size() && raw.at(i + 1) >= '0' && raw.at(i + 1) <= '7' &&
                           code <= 0xFFFF)
                        code = code * 8 + static_cast<char32_t>(raw.at(++i) - '0');
                }
                // Any other escaped character is dropped with its backslash.
                break;
        }
        if (numeric) {
            flush();
            out += QChar(static_cast<char16_t>(code & 0xFFFF));
        }
    }
    flush();

    if (out.startsWith(QLatin1String("@@")))
        return out.mid(1);
    if (out.startsWith(QLatin1String("@String(")) && out.endsWith(QLatin1Char(')')))
        return out.mid(8, out.size() - 9);
    if (out.startsWith(QLatin1Char('@')))
        return std::nullopt;  // some other kind of stored value, not a text
    return out;
}

QByteArray iniEncode(const QString& value) {
    const QString text = value.startsWith(QLatin1Char('@')) ? QLatin1Char('@') + value : value;
    QByteArray out;
    bool quote = text.startsWith(QLatin1Char(' ')) || text.endsWith(QLatin1Char(' '));
    bool escapeHexDigit = false;  // after "\x..", a hex digit would join the number
    for (const char32_t c : text.toUcs4()) {
        if (escapeHexDigit && c < 0x80 && isHexDigit(static_cast<char>(c))) {
            out += hexEscape(c);
            continue;
        }
        escapeHexDigit = false;
        switch (c) {
            case ';':
            case ',':
            case '=':
                quote = true;
                out += static_cast<char>(c);
                break;
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20 || c == 0x7F) {
                    out += hexEscape(c);
                    escapeHexDigit = true;
                } else {
                    out += QString::fromUcs4(&c, 1).toUtf8();
                }
        }
    }
    return quote ? '"' + out + '"' : out;
}

std::optional<QString> iniValue(const QByteArray& text, const QString& section,
                                const QString& key) {
    const QByteArray wantedSection = section.toUtf8();
    const QByteArray wantedKey = key.toUtf8();
    std::optional<QByteArray> raw;
    forEachLine(text,
                [&](const Line&, const QByteArray& bytes, const QByteArray& current, bool header) {
                    if (header || current != wantedSection)
                        return;
                    const qsizetype start = valueStartFor(bytes, wantedKey);
                    if (start >= 0)
                        raw = bytes.mid(start);
                });
    if (!raw)
        return std::nullopt;
    return iniDecode(*raw);
}

QByteArray withIniValue(const QByteArray& text, const QString& section, const QString& key,
                        const QString& value) {
    const QByteArray wantedSection = section.toUtf8();
    const QByteArray wantedKey = key.toUtf8();
    const QByteArray encoded = iniEncode(value);

    // Every line of the key gets the new value, so no older duplicate can
    // win over it; the last content line of the section is where a new key goes.
    QByteArray out;
    qsizetype copied = 0;
    qsizetype insertAt = -1;
    bool found = false;
    forEachLine(text, [&](const Line& line, const QByteArray& bytes, const QByteArray& current,
                          bool header) {
        if (current != wantedSection)
            return;
        if (!header && trimmed(bytes).isEmpty())
            return;
        insertAt = line.next;
        if (header)
            return;
        const qsizetype start = valueStartFor(bytes, wantedKey);
        if (start < 0)
            return;
        found = true;
        out += text.mid(copied, line.start + start - copied);
        out += encoded;
        copied = line.start + line.length;
    });
    out += text.mid(copied);
    if (found)
        return out;

    const QByteArray newLine = wantedKey + '=' + encoded + '\n';
    if (insertAt >= 0) {
        QByteArray head = text.left(insertAt);
        if (!head.endsWith('\n'))
            head += '\n';
        return head + newLine + text.mid(insertAt);
    }
    QByteArray head = text;
    if (!head.isEmpty() && !head.endsWith('\n'))
        head += '\n';
    if (!head.isEmpty())
        head += '\n';
    return head + '[' + wantedSection + "]\n" + newLine;
}

}  // namespace ovant
