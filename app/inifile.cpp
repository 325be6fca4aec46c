#include "inifile.h"

#include "logging.h"

#include <QFile>
#include <QSaveFile>
#include <charconv>

namespace {

QByteArray trimmed(const QByteArray& line)
{
    return line.trimmed(); // also drops the "\r" of a CR LF line
}

bool sameName(const QByteArray& a, std::string_view b)
{
    return a.compare(QByteArrayView(b.data(), qsizetype(b.size())), Qt::CaseInsensitive) == 0;
}

std::optional<QByteArray> sectionName(const QByteArray& line)
{
    const QByteArray t = trimmed(line);
    if (!t.startsWith('['))
        return std::nullopt;
    const qsizetype close = t.indexOf(']');
    if (close < 0)
        return std::nullopt;
    return t.mid(1, close - 1).trimmed();
}

// Key and raw value of a "key=value" line; nullopt for comments, blanks and other lines.
std::optional<std::pair<QByteArray, QByteArray>> keyValue(const QByteArray& line)
{
    const QByteArray t = trimmed(line);
    if (t.isEmpty() || t.startsWith(';'))
        return std::nullopt;
    const qsizetype eq = t.indexOf('=');
    if (eq <= 0)
        return std::nullopt;
    return std::make_pair(t.left(eq).trimmed(), t.mid(eq + 1).trimmed());
}

QByteArray unquoted(QByteArray v)
{
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    return v.left(IniFile::MaxValueLength);
}

} // namespace

IniFile IniFile::load(const QString& path)
{
    IniFile ini;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ini;
    const QByteArray data = file.readAll();
    if (data.isEmpty())
        return ini;
    ini.crlf_ = data.contains("\r\n") || !data.contains('\n');
    for (const QByteArray& line : data.split('\n'))
        ini.lines_.push_back(line);
    if (data.endsWith('\n'))
        ini.lines_.pop_back(); // the split leaves an empty piece after the last line end
    return ini;
}

IniFile::Location IniFile::locate(std::string_view section, std::string_view key) const
{
    Location at;
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (const auto name = sectionName(lines_[i])) {
            if (at.sectionLine)
                break; // the wanted section has ended
            if (sameName(*name, section)) {
                at.sectionLine = i;
                at.sectionEnd = i + 1;
            }
            continue;
        }
        if (!at.sectionLine)
            continue;
        if (const auto kv = keyValue(lines_[i])) {
            at.sectionEnd = i + 1;
            if (sameName(kv->first, key) && !at.keyLine)
                at.keyLine = i;
        }
    }
    return at;
}

std::optional<QByteArray> IniFile::value(std::string_view section, std::string_view key) const
{
    const Location at = locate(section, key);
    if (!at.keyLine)
        return std::nullopt;
    return unquoted(keyValue(lines_[*at.keyLine])->second);
}

std::optional<int> IniFile::intValue(std::string_view section, std::string_view key) const
{
    const auto text = value(section, key);
    if (!text || text->isEmpty())
        return std::nullopt;
    const char* first = text->constData();
    const char* last = first + text->size();
    if (*first == '+')
        ++first;
    int number = 0;
    const auto [end, error] = std::from_chars(first, last, number);
    if (error != std::errc() || end != last)
        return std::nullopt;
    return number;
}

QByteArray IniFile::newLine(const QByteArray& text) const
{
    return crlf_ ? text + '\r' : text;
}

void IniFile::setValue(std::string_view section, std::string_view key, const QByteArray& value)
{
    const QByteArray keyText(key.data(), qsizetype(key.size()));
    const QByteArray line = newLine(keyText + '=' + value);
    const Location at = locate(section, key);
    if (at.keyLine) {
        // Keep the key's own spelling.
        lines_[*at.keyLine] = newLine(keyValue(lines_[*at.keyLine])->first + '=' + value);
        return;
    }
    if (at.sectionLine) {
        lines_.insert(lines_.begin() + std::ptrdiff_t(at.sectionEnd), line);
        return;
    }
    lines_.push_back(newLine('[' + QByteArray(section.data(), qsizetype(section.size())) + ']'));
    lines_.push_back(line);
}

bool IniFile::save(const QString& path) const
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        for (const QByteArray& line : lines_) {
            file.write(line);
            file.write("\n");
        }
        if (file.commit())
            return true;
    }
    qCWarning(lcApp).noquote() << "writing" << path << "failed:" << file.errorString();
    return false;
}
