// Checking and writing an output named on the command line.
#include "cli/output_file.h"

#include <cctype>

namespace fudo::cli {

namespace {

constexpr std::string_view kSuffixes[4] = {".棋譜", ".kif", ".kifu", ".csa"};

std::string_view suffixOf(RecordFormat f) { return kSuffixes[static_cast<int>(f)]; }

// ".kif or .kifu", ".棋譜".
std::string suffixList(const std::vector<RecordFormat>& formats) {
    std::string s;
    for (std::size_t i = 0; i < formats.size(); ++i) {
        if (i > 0) s += i + 1 == formats.size() ? " or " : ", ";
        s += suffixOf(formats[i]);
    }
    return s;
}

bool refuse(std::ostream& err, const std::string& name, const std::string& why) {
    std::string line = "fudo-cli: cannot write " + name + ": " + why;
    for (char& c : line)
        if (c == '\n') c = ' ';
    err << line << '\n';
    return false;
}

}  // namespace

std::optional<RecordFormat> formatOfName(const std::filesystem::path& name) {
    std::string ext = 文字列_パス(name.extension());
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (int i = 0; i < 4; ++i)
        if (ext == kSuffixes[i]) return static_cast<RecordFormat>(i);
    return std::nullopt;
}

bool Output::open(const std::string& name, const std::vector<RecordFormat>& allowed,
                  std::optional<RecordFormat> fallback, const std::string& input, std::ostream& err) {
    name_ = name;
    standardOutput_ = name == "-";
    const std::filesystem::path path = パス_UTF8(name);
    const std::optional<RecordFormat> named = standardOutput_ ? std::nullopt : formatOfName(path);
    if (named) {
        bool ok = false;
        for (RecordFormat f : allowed) ok = ok || f == *named;
        if (!ok)
            return refuse(err, name, "the name ends in " + std::string(suffixOf(*named)) + " but the record is written as " +
                                         suffixList(allowed) + " (the format follows the name)");
        format_ = *named;
    } else if (fallback) {
        format_ = *fallback;
    } else {
        return refuse(err, name, "the name must end in " + suffixList(allowed) + " (the format follows it)");
    }
    if (standardOutput_) return true;
    file_ = std::make_unique<出力ファイル>(path);
    if (!file_->拒否().empty()) return refuse(err, name, file_->拒否());
    if (!input.empty() && file_->同じファイル(パス_UTF8(input)))
        return refuse(err, name, "it is the input file " + input);
    return true;
}

bool Output::write(std::string_view bytes, std::ostream& out, std::ostream& err) {
    if (standardOutput_) {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        return out.good() || refuse(err, name_, "standard output failed");
    }
    out.flush();  // what was said before the record comes before it, should out be the same file
    if (auto failure = file_->書込(bytes, true)) return refuse(err, name_, *failure);
    return true;
}

bool openRecordOutput(Output& output, const std::string& name, std::ostream& err, bool exchange) {
    std::vector<RecordFormat> allowed = {RecordFormat::Native};
    if (exchange) allowed.insert(allowed.end(), {RecordFormat::KIF, RecordFormat::KIFU, RecordFormat::CSA});
    if (!output.open(name, allowed, RecordFormat::Native, "", err)) return false;
    if (output.standardOutput()) return refuse(err, name, "standard output carries the game; name a file");
    return true;
}

記録形式 exchangeFormat(RecordFormat f) {
    return f == RecordFormat::CSA ? 記録形式::CSA : f == RecordFormat::KIFU ? 記録形式::KIFU : 記録形式::KIF;
}

}  // namespace fudo::cli
