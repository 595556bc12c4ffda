#include "cli/record_commands.h"

#include <algorithm>
#include <memory>

#include "cli/commands.h"
#include "cli/headless.h"
#include "cli/output_file.h"
#include "files/file_io.h"
#include "files/record_file.h"
#include "notation/record_io.h"

namespace fudo::cli {

namespace {

// What a reader left out of a file, one line each on standard error.
void note(std::ostream& err, const std::string& file, const std::string& text) {
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t nl = std::min(text.find('\n', at), text.size());
        err << "fudo-cli: " << file << ": " << text.substr(at, nl - at) << '\n';
        at = nl + 1;
    }
}

int fail(std::ostream& err, const std::string& message) {
    std::string oneLine = message;
    for (char& c : oneLine)
        if (c == '\n') c = ' ';
    err << "fudo-cli: " << oneLine << '\n';
    return kExitBadInput;
}

// FILE, OUT after --output (or -o) and the format flags; false (with the error written) on
// anything else.
bool fileAndOutput(const std::vector<std::string>& args, std::vector<std::string>& flags,
                   std::string& file, std::string& output, std::ostream& err, bool formats) {
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-o" || a == "--output") {
            if (i + 1 >= args.size()) return fail(err, "option " + a + " needs a file name"), false;
            output = args[++i];
        } else if (formats && (a == "--kif" || a == "--kifu" || a == "--csa")) {
            flags.push_back(a);
        } else if (a.starts_with("-")) {
            return fail(err, "unknown option " + a), false;
        } else if (file.empty()) {
            file = a;
        } else {
            return fail(err, args[0] + " takes one file"), false;
        }
    }
    if (file.empty()) return fail(err, args[0] + " needs a file"), false;
    return true;
}

}  // namespace

int exportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::vector<std::string> flags;
    std::string file, output;
    if (!fileAndOutput(args, flags, file, output, err, true)) return kExitBadInput;
    if (flags.size() > 1) return fail(err, "export takes one of --kif, --kifu or --csa");
    std::optional<RecordFormat> chosen;
    if (!flags.empty())
        chosen = flags[0] == "--kif" ? RecordFormat::KIF : flags[0] == "--kifu" ? RecordFormat::KIFU : RecordFormat::CSA;
    if (output.empty()) {
        if (!chosen) return fail(err, "export needs one of --kif, --kifu or --csa");
        std::filesystem::path target = パス_UTF8(file);
        target.replace_extension(std::string(".").append(flags[0], 2));
        output = 文字列_パス(target);
    }
    // The output is checked before the work; with a flag its name may not ask for another format.
    Output to;
    const std::vector<RecordFormat> exchange = {RecordFormat::KIF, RecordFormat::KIFU, RecordFormat::CSA};
    if (!to.open(output, chosen ? std::vector<RecordFormat>{*chosen} : exchange, chosen, file, err))
        return kExitBadInput;
    std::ostream& info = to.standardOutput() ? err : out;

    const 棋譜読込結果 read = 読込_棋譜(file);
    if (!read.ok) return fail(err, file + ": " + read.error);
    対局記録 r = 作成_対局記録(read.data);
    std::string reason;
    const auto bytes = 書式_記録(r, exchangeFormat(to.format()), &reason);
    if (!bytes) return fail(err, "cannot write " + output + ": " + reason);
    if (!to.write(*bytes, out, err)) return kExitBadInput;
    const 終局表記 end = 作成_終局表記(r);
    info << "wrote " << output << ": " << r.棋譜.手.size() << " moves, " << end.手数 << " as moves, " << end.まで
         << '\n';
    return 0;
}

int importCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::vector<std::string> flags;
    std::string file, output;
    if (!fileAndOutput(args, flags, file, output, err, false)) return kExitBadInput;
    // The output is checked before the work; its suffix chooses the format, .棋譜 by default.
    Output to;
    if (!output.empty() &&
        !to.open(output, {RecordFormat::Native, RecordFormat::KIF, RecordFormat::KIFU, RecordFormat::CSA},
                 RecordFormat::Native, file, err))
        return kExitBadInput;
    std::ostream& info = !output.empty() && to.standardOutput() ? err : out;
    const 記録読込結果 r = 読込_記録(file);
    if (!r.ok) return fail(err, file + ": " + r.error);
    note(err, file, r.注記);
    info << file << ": " << r.記録.棋譜.手.size() << " moves";
    if (r.記録.手合 != 0) info << ", handicap grade " << r.記録.手合;
    info << '\n';
    if (output.empty()) return 0;
    std::string reason;
    std::optional<std::string> bytes;
    if (to.format() == RecordFormat::Native) {
        if (r.記録.手合 != 0) return fail(err, output + ": 駒落ちの棋譜は .棋譜 形式では保存できません");
        bytes = 書式_棋譜(r.記録.棋譜, &reason);
    } else {
        bytes = 書式_記録(r.記録, exchangeFormat(to.format()), &reason);
    }
    if (!bytes) return fail(err, "cannot write " + output + ": " + reason);
    if (!to.write(*bytes, out, err)) return kExitBadInput;
    info << "wrote " << output << '\n';
    return 0;
}

int replayExchange(const std::filesystem::path& path, long long moves, std::ostream& out,
                   std::ostream& err) {
    const 記録読込結果 r = 読込_記録(path);
    if (!r.ok) return fail(err, path.string() + ": " + r.error);
    note(err, path.string(), r.注記);
    const auto count = static_cast<long long>(r.記録.棋譜.手.size());
    if (moves > count) return fail(err, "the record holds only " + std::to_string(count) + " moves");
    auto h = newHeadless();
    取込_対局記録(h->game, r.記録);
    if (h->game.KIFU_MODE != 1 || h->game.KIFU_LAST != count)
        return fail(err, path.string() + ": the record could not be read");
    for (long long i = 0; i < (moves < 0 ? count : moves); ++i) h->game.AFTER_Click();
    out << 局面SFEN(h->game) << '\n';
    return 0;
}

}  // namespace fudo::cli
