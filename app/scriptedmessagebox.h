#pragma once
// Test double of MessageBoxes: records every message box and answers from a script.
#include "messagebox.h"

#include <deque>
#include <vector>

class ScriptedMessageBoxes final : public MessageBoxes
{
public:
    struct Call {
        QString text;
        QString caption;
        Buttons buttons;
    };

    // Queues the answer to the next question; without one queued the first offered button of
    // Ok, Yes, Cancel, No answers.
    void answerNext(Button button) { answers_.push_back(button); }

    const std::vector<Call>& calls() const { return calls_; }

    Button ask(const QString& text, const QString& caption, Buttons buttons) override
    {
        calls_.push_back({text, caption, buttons});
        if (!answers_.empty()) {
            const Button answer = answers_.front();
            answers_.pop_front();
            return answer;
        }
        for (Button b : {QMessageBox::Ok, QMessageBox::Yes, QMessageBox::Cancel, QMessageBox::No})
            if (buttons.testFlag(b))
                return b;
        return QMessageBox::NoButton;
    }

private:
    std::deque<Button> answers_;
    std::vector<Call> calls_;
};
