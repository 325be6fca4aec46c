#include "codepage.h"

#include <cerrno>
#include <iconv.h>
#include <vector>

namespace {

class Converter
{
public:
    explicit Converter(const char* codePage)
        : cd_(iconv_open(Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? "UTF-16LE" : "UTF-16BE", codePage))
    {}
    ~Converter()
    {
        if (valid())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t handle() const { return cd_; }

private:
    iconv_t cd_;
};

} // namespace

QString decodeCodePage(const QByteArray& bytes, const char* codePage)
{
    Converter converter(codePage);
    if (!converter.valid())
        return QString::fromLatin1(bytes);

    QString result;
    std::vector<char16_t> out(size_t(bytes.size()) + 1);
    QByteArray input = bytes; // iconv wants a non-const input pointer
    char* in = input.data();
    size_t inLeft = size_t(input.size());
    while (inLeft > 0) {
        char* outPtr = reinterpret_cast<char*>(out.data());
        size_t outLeft = out.size() * sizeof(char16_t);
        const size_t rc = iconv(converter.handle(), &in, &inLeft, &outPtr, &outLeft);
        const size_t produced = (out.size() * sizeof(char16_t) - outLeft) / sizeof(char16_t);
        result.append(QStringView(out.data(), qsizetype(produced)));
        if (rc != size_t(-1))
            break;
        if (errno == E2BIG)
            continue;
        // EILSEQ (invalid byte) or EINVAL (sequence cut off at the end): mark it and move on.
        result.append(QChar::ReplacementCharacter);
        ++in;
        --inLeft;
    }
    return result;
}
