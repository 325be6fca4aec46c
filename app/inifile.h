#pragma once
// An INI text file kept as its lines of bytes, so that changing one value writes every other line
// back exactly as it was read.
//
//   [VIEW]            section name in brackets on a line of its own
//   Language=1        key, equals sign, value
//
// Section and key names match without regard to case; a value is the text after the first "=",
// trimmed, with one pair of surrounding quotation marks removed and cut to 2047 bytes. Values are
// bytes in whatever code page the file is written in; decoding is the caller's business.
#include <QByteArray>
#include <QString>
#include <optional>
#include <string_view>
#include <vector>

class IniFile
{
public:
    static constexpr qsizetype MaxValueLength = 2047;

    // A missing or unreadable file reads as empty.
    static IniFile load(const QString& path);

    std::optional<QByteArray> value(std::string_view section, std::string_view key) const;
    // Decimal integer value; nullopt when missing or not a number.
    std::optional<int> intValue(std::string_view section, std::string_view key) const;

    // Replaces the key's line in place, adds it at the end of its section, or appends the section.
    void setValue(std::string_view section, std::string_view key, const QByteArray& value);

    bool save(const QString& path) const;

private:
    struct Location {
        std::optional<size_t> sectionLine; // the "[section]" line
        std::optional<size_t> keyLine;     // the line of the key, inside that section
        size_t sectionEnd = 0;             // one past the section's last key line
    };
    Location locate(std::string_view section, std::string_view key) const;
    QByteArray newLine(const QByteArray& text) const;

    std::vector<QByteArray> lines_; // raw lines, each without its "\n" but with any "\r"
    bool crlf_ = true;              // line end of lines we add
};
