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
        return nextAnswer();
    }
    // Open dialogs take their answers from the same script; their filters are kept apart.
    std::optional<QString> askOpenPath(const QString& filter) override
    {
        openFilters_.push_back(filter);
        return nextAnswer();
    }
    const std::vector<QString>& openFilters() const { return openFilters_; }

private:
    std::optional<QString> nextAnswer()
    {
        if (answers_.empty())
            return std::nullopt;
        const bool cancelled = !answers_.front();
        QString answer = cancelled ? QString() : std::move(*answers_.front());
        answers_.pop_front();
        if (cancelled)
            return std::nullopt;
        return answer;
    }

    std::deque<std::optional<QString>> answers_;
    std::vector<QString> openFilters_;
    std::vector<SaveRequest> requests_;
};

} // namespace m47::logreport
