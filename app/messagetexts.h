#pragma once
// The language-dependent message texts, addressed by the key under which a language file
// translates them.
#include <QString>
#include <map>
#include <string>

class MessageTextTable
{
public:
    void loadDefaults();

    // The text of a known key; an unknown key is a programming error and yields an empty text.
    QString operator[](const std::string& key) const;
    void set(const std::string& key, const QString& text);

private:
    std::map<std::string, QString> texts_;
};
