#pragma once
// The main window on its own, without a device, for the programs that show or measure it (the
// screens and the receive-path benchmark), and received bytes into its receive path as
// CommRxChar hands them over from the port: line assembly, then the four line consumers.
#include "app/mainform.h"
#include "app/scriptedmessagebox.h"
#include "logreport/recording_text_editor.h"
#include "logreport/scripted_file_dialogs.h"
#include "netmodule/recording_web_page.h"

#include <QTemporaryDir>

#include <algorithm>
#include <cstring>
#include <string_view>

// The window with scripted boxes and dialogs, no browser or editor, and a documents folder of
// its own so that the user's settings file stays out of it.
struct StandaloneWindow {
    StandaloneWindow() { folders.documentsFolder = documents.path(); }

    QTemporaryDir documents;
    ShellFolders folders = ShellFolders::fromSystem();
    ScriptedMessageBoxes boxes;
    m47::netmodule::RecordingWebPageOpener webPage;
    m47::logreport::ScriptedFileDialogs fileDialogs;
    m47::logreport::RecordingTextEditor textEditor;
    TForm1 form{boxes, folders, webPage, fileDialogs, textEditor};
};

// The window's friend for driving its receive path and its system check tick.
class TForm1TestAccess
{
public:
    explicit TForm1TestAccess(TForm1& form) : f(form) {}

    // One receive notification of `bytes`, read in the pieces the assembler asks for.
    void Receive(std::string_view bytes)
    {
        f.RxLines.Receive(bytes.size(), [&bytes](char* buffer, int size) {
            const std::size_t n = std::min(bytes.size(), static_cast<std::size_t>(size));
            std::memcpy(buffer, bytes.data(), n);
            bytes.remove_prefix(n);
            return static_cast<int>(n);
        });
    }
    void SysChkTick() { f.TimerUpdateSysChkTimer(); }
    void ReceptionTick() { f.TimerReceptionTimer(); }

private:
    TForm1& f;
};
