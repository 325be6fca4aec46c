#pragma once
// Test double of TextEditor: keeps the paths it was asked to open, starts nothing.
#include "logreport/text_editor.h"

#include <QStringList>

namespace m47::logreport {

class RecordingTextEditor final : public TextEditor
{
public:
    void open(const QString& path) override { opened_.push_back(path); }
    const QStringList& opened() const { return opened_; }

private:
    QStringList opened_;
};

} // namespace m47::logreport
