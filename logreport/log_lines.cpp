#include "logreport/log_lines.h"

#include <algorithm>
#include <cstring>

namespace m47::logreport {

void LogLines::Append(std::string_view text)
{
    char* at = Reserve(text.size());
    if (!text.empty())
        std::memcpy(at, text.data(), text.size());
    index_.emplace_back(at, text.size());
    longest_ = std::max(longest_, text.size());
}

void LogLines::Clear()
{
    // Swapping with empty containers hands the memory back; clear() would keep the capacity.
    std::vector<std::unique_ptr<char[]>>().swap(blocks_);
    std::vector<std::size_t>().swap(blockSizes_);
    std::vector<std::string_view>().swap(index_);
    usedInLastBlock_ = 0;
    longest_ = 0;
}

std::size_t LogLines::MemoryBytes() const
{
    std::size_t bytes = index_.capacity() * sizeof(std::string_view) +
                        blocks_.capacity() * (sizeof(blocks_[0]) + sizeof(std::size_t));
    for (std::size_t size : blockSizes_)
        bytes += size;
    return bytes;
}

char* LogLines::Reserve(std::size_t size)
{
    if (blocks_.empty() || blockSizes_.back() - usedInLastBlock_ < size) {
        const std::size_t blockSize = std::max(kBlockSize, size);
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(blockSize));
        blockSizes_.push_back(blockSize);
        usedInLastBlock_ = 0;
    }
    char* at = blocks_.back().get() + usedInLastBlock_;
    usedInLastBlock_ += size;
    return at;
}

} // namespace m47::logreport
