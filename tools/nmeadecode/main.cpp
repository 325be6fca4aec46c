// nmeadecode: decodes saved NMEA 0183 logs through the sentence library, one JSON object per
// input line (JSON Lines), or with --summary one object of counts. See README, "Offline decoder".
//
//   nmeadecode [--summary] [FILE...]     no FILE, or "-", reads standard input

#include "ais_json.h"
#include "gnss_json.h"
#include "json_writer.h"
#include "line_reader.h"
#include "summary.h"

#include "nmea/sentence_library.h"
#include "nmea/sentence_parser.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: nmeadecode [--summary] [FILE...]\n"
    "Decodes NMEA 0183 lines (LF or CR LF ends, '#' comment lines) from the files, or from\n"
    "standard input when none or \"-\" is given, and writes one JSON object per line.\n"
    "  --summary   write only the counts: lines, accepted, rejected, per formatter,\n"
    "              AIS messages per type, targets in the table\n";

struct Options {
    bool summary = false;
    std::vector<const char*> files;
};

class Decoder
{
public:
    Decoder(JsonWriter& out, bool summaryOnly) : out_(out), summaryOnly_(summaryOnly) {}

    void Line(const LogLine& line, const char* fileName);
    void WriteSummary() { summary_.Write(out_, library_->ais.targets.TargetCount); }

private:
    void Header(const LogLine& line, const char* fileName, bool accepted);
    void Body(bool accepted);

    JsonWriter& out_;
    bool summaryOnly_;
    Summary summary_;
    std::unique_ptr<nmea::SentenceLibrary> library_ = std::make_unique<nmea::SentenceLibrary>();
    char sentence_[LogLine::kMaxLength + 2]; // the line as the receive path hands it over
};

void Decoder::Line(const LogLine& line, const char* fileName)
{
    if (line.length > 0 && line.text[0] == '#') {
        summary_.Comment();
        return;
    }
    nmea::SentenceRecord& record = library_->record;
    // The header is written only once a line passes framing and checksum: clear it so that a
    // rejected line does not show the names of the one before.
    record.start = '\0';
    std::memset(record.talker, 0, sizeof record.talker);
    std::memset(record.formatter, 0, sizeof record.formatter);
    record.subKind = '\0';

    // Like the receiver's GPS page, only sentences of at most 82 characters reach the library.
    const bool handedOver =
        !line.TooLong() && line.length > 0 && (line.text[0] == '$' || line.text[0] == '!');
    if (!handedOver) {
        summary_.Ignored();
        if (!summaryOnly_) {
            Header(line, fileName, false);
            out_.Bool("ignored", true);
            out_.EndObject();
            out_.EndLine();
        }
        return;
    }
    std::memcpy(sentence_, line.text, line.length);
    sentence_[line.length] = '\r';
    sentence_[line.length + 1] = '\n';
    const bool accepted = library_->ProcessSentence(std::string_view(sentence_, line.length + 2));

    summary_.Sentence(record.formatter, accepted);
    if (accepted && record.start == '!')
        summary_.AisMessage(library_->ais.message.Id());
    if (summaryOnly_)
        return;
    Header(line, fileName, accepted);
    Body(accepted);
    out_.EndObject();
    out_.EndLine();
}

void Decoder::Header(const LogLine& line, const char* fileName, bool accepted)
{
    const nmea::SentenceRecord& record = library_->record;
    out_.BeginObject();
    if (fileName != nullptr)
        out_.String("file", fileName);
    out_.Int("line", line.number);
    out_.Bool("accepted", accepted);
    out_.Text("talker", record.talker, sizeof record.talker);
    out_.Text("formatter", record.formatter, sizeof record.formatter);
    out_.UInt("group", nmea::ClassifySentence(record));
}

void Decoder::Body(bool accepted)
{
    if (!accepted)
        return;
    const nmea::SentenceRecord& record = library_->record;
    if (nmea::ClassifySentence(record) == nmea::sgGnss)
        WriteGnssRecord(out_, library_->latest.gnss);
    if (record.start == '!') {
        const nmea::AisState& ais = library_->ais;
        WriteAisMessage(out_, ais.layouts, ais.message);
        const int index = ais.targets.LastTargetIndex;
        if (index >= 0 && static_cast<std::size_t>(index) < ais.targets.entries.size())
            WriteAisTarget(out_, ais.targets.entries[static_cast<std::size_t>(index)], index);
    }
}

bool ParseOptions(int argc, char** argv, Options& options)
{
    bool filesOnly = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (!filesOnly && arg == "--summary") {
            options.summary = true;
        } else if (!filesOnly && arg == "--") {
            filesOnly = true;
        } else if (!filesOnly && (arg == "-h" || arg == "--help")) {
            std::fputs(kUsage, stdout);
            std::exit(0);
        } else if (!filesOnly && arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "nmeadecode: unknown option %s\n%s", argv[i], kUsage);
            return false;
        } else {
            options.files.push_back(argv[i]);
        }
    }
    if (options.files.empty())
        options.files.push_back("-");
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options))
        return 2;

    auto out = std::make_unique<JsonWriter>(STDOUT_FILENO);
    Decoder decoder(*out, options.summary);
    auto line = std::make_unique<LogLine>();
    const bool nameFiles = options.files.size() > 1;
    int status = 0;
    for (const char* file : options.files) {
        const bool isStdin = std::string_view(file) == "-";
        const int fd = isStdin ? STDIN_FILENO : ::open(file, O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            std::fprintf(stderr, "nmeadecode: %s: %s\n", file, std::strerror(errno));
            status = 1;
            continue;
        }
        auto reader = std::make_unique<LineReader>(fd);
        while (reader->Next(*line) && out->Ok())
            decoder.Line(*line, nameFiles ? file : nullptr);
        if (reader->Failed()) {
            std::fprintf(stderr, "nmeadecode: %s: read error\n", file);
            status = 1;
        }
        if (!isStdin)
            ::close(fd);
    }
    if (options.summary)
        decoder.WriteSummary();
    if (!out->Flush()) {
        std::fprintf(stderr, "nmeadecode: cannot write the output\n");
        return 1;
    }
    return status;
}
