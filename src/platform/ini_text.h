#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace ovant {

// The settings file's text, read and changed one key at a time. A change
// replaces the value of that one key line, or adds the line (and its section
// when there is none); every other byte of the file stays as it was, so keys
// and sections written by someone else survive unchanged.
//
// The format is the INI dialect the store has always written: "[Section]"
// headers, "key=value" lines, ";" starting a comment, a value in double quotes
// keeping blanks, commas and ";", backslash escapes inside, "@@" for a leading
// "@". The last line of a key wins, and a section may appear more than once.

// The value stored for `key` in `section`; no value when the key is absent or
// holds something other than text.
std::optional<QString> iniValue(const QByteArray& text, const QString& section, const QString& key);

// The text with `key` in `section` set to `value`.
QByteArray withIniValue(const QByteArray& text, const QString& section, const QString& key,
                        const QString& value);

// One value as it stands behind "=", and back.
QByteArray iniEncode(const QString& value);
std::optional<QString> iniDecode(QByteArray raw);

}  // namespace ovant
