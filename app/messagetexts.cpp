#include "messagetexts.h"

namespace {

struct MessageTextDefault {
    const char* key;     // language-file key
    const char* english; // built-in text
};

constexpr MessageTextDefault kDefaults[] = {
    {"Connect", "Connect"},
    {"Disconnect", "Disconnect"},
    {"Exit_Caption", "Exit!"},
    {"QueryExit", "Are you sure to exit?"},
    {"Connecting", "Connecting..."},
    {"Connected", "Connected..."},
    {"Click2Connect", "Click to Connect"},
    {"Programmed_Verified", "Device programmed and verified"},
    {"Programmed_Differs", "Device programmed, value differs"},
};

} // namespace

void MessageTextTable::loadDefaults()
{
    texts_.clear();
    for (const MessageTextDefault& text : kDefaults)
        texts_[text.key] = QString::fromLatin1(text.english);
}

QString MessageTextTable::operator[](const std::string& key) const
{
    const auto it = texts_.find(key);
    Q_ASSERT_X(it != texts_.end(), "MessageTexts", key.c_str());
    return it == texts_.end() ? QString() : it->second;
}

void MessageTextTable::set(const std::string& key, const QString& text)
{
    texts_[key] = text;
}
