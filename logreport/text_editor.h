#pragma once
// Opening a saved file in the desktop's text editor, behind an interface so that tests see the
// path instead of an editor starting.
#include <QString>

namespace m47::logreport {

class TextEditor
{
public:
    virtual ~TextEditor() = default;
    // Starts the editor on the file without waiting for it; a failure is not reported.
    virtual void open(const QString& path) = 0;
};

// The desktop's default application for the file (xdg-open on Linux desktops).
class DesktopTextEditor final : public TextEditor
{
public:
    void open(const QString& path) override;
};

} // namespace m47::logreport
