#pragma once
// Test double of FileDialogs: records every request and answers from a script.
#include "logreport/file_dialogs.h"

#include <deque>
#include <vector>

namespace m47::logreport {

class ScriptedFileDialogs final : public FileDialogs
{
public:
    // Queues the answer to the next dialog: a path, or none for Cancel. Without one queued the
    // dialog is cancelled.
    void answerNext(std::optional<QString> path) { answers_.push_back(std::move(path)); }

    const std::vector<SaveRequest>& requests() const { return requests_; }

    std::optional<QString> askSavePath(const SaveRequest& request) override
    {
        requests_.push_back(request);
        if (answers_.empty())
            return std::nullopt;
        std::optional<QString> answer = std::move(answers_.front());
        answers_.pop_front();
        return answer;
    }

private:
    std::deque<std::optional<QString>> answers_;
    std::vector<SaveRequest> requests_;
};

} // namespace m47::logreport
