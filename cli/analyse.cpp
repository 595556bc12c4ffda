// fudo-cli analyse: reading the record, the review by level 4, the lines per move and the annotated KIF.
#include "cli/analyse.h"

#include <atomic>
#include <cstdio>
#include <filesystem>

#include "analysis/comments.h"
#include "cli/commands.h"
#include "cli/output_file.h"
#include "files/record_file.h"
#include "notation/record_io.h"

namespace fudo::cli {

namespace {

int fail(std::ostream& err, std::string message) {
    for (char& c : message)
        if (c == '\n') c = ' ';
    err << "fudo-cli: " << message << '\n';
    return kExitBadInput;
}

// "+123", "-45", or a won game as "+詰7" / "-詰" (plies to the king's fall).
std::string 評価表記(int v) {
    if (analysis::詰みか(v)) {
        const int n = analysis::詰み手数(v);
        return std::string(v > 0 ? "+" : "-") + "詰" + (n > 0 ? std::to_string(n) : "");
    }
    return (v > 0 ? "+" : "") + std::to_string(v);
}

// Pads UTF-8 text to `cols` columns of a fixed-width terminal.
std::string 詰め(const std::string& s, int cols) {
    int w = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) w += c < 0x80 ? 1 : 2;
    return s + std::string(static_cast<std::size_t>(std::max(1, cols - w)), ' ');
}

}  // namespace

int analyseCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string file, output;
    long long movetime = 200, threads = 1;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--movetime" || a == "--threads" || a == "--output" || a == "-o") {
            if (i + 1 >= args.size()) return fail(err, "option " + a + " needs a value");
            const std::string& v = args[++i];
            if (a == "--movetime" && !parseInt(v, 1, 3600000, movetime))
                return fail(err, "--movetime must be a number from 1 to 3600000");
            if (a == "--threads" && !parseInt(v, 1, 64, threads))
                return fail(err, "--threads must be a number from 1 to 64");
            if (a == "--output" || a == "-o") output = v;
        } else if (a.starts_with("-")) {
            return fail(err, "unknown option " + a);
        } else if (file.empty()) {
            file = a;
        } else {
            return fail(err, "analyse takes one record file");
        }
    }
    if (file.empty()) return fail(err, "analyse needs a record file");
    // The output is checked before the review; with "-" the review's lines go to standard error.
    Output to;
    if (!output.empty() && !to.open(output, {RecordFormat::KIF, RecordFormat::KIFU}, RecordFormat::KIF, file, err))
        return kExitBadInput;
    std::ostream& lines = !output.empty() && to.standardOutput() ? err : out;

    対局記録 r;
    if (形式_拡張子(file)) {
        const 記録読込結果 read = 読込_記録(file);
        if (!read.ok) return fail(err, file + ": " + read.error);
        r = read.記録;
    } else {
        const 棋譜読込結果 read = 読込_棋譜(file);
        if (!read.ok) return fail(err, file + ": " + read.error);
        r = 作成_対局記録(read.data);
    }

    const auto kif = 表記_KIF手順(r);
    search::Engine engine(64);
    engine.setThreads(static_cast<int>(threads));
    search::Limits limits;
    limits.seconds = double(movetime) / 1000;
    std::atomic<bool> stop{false};
    lines << file << ": " << r.棋譜.手.size() << " moves, " << movetime << " ms a position, " << threads
        << (threads == 1 ? " thread" : " threads") << '\n' << std::flush;
    const analysis::棋譜解析 a = analysis::解析する(r, engine, limits, stop);

    // A line per move: its evaluation (of the position after it), the best move of the
    // position before it, and its mark.
    auto 評価欄 = [](const analysis::局面評価& e) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%8s", e.済 ? 評価表記(e.評価値).c_str() : "");
        return std::string(buf);
    };
    lines << "   0 " << 詰め("start", 16) << 評価欄(a.局面[0]) << '\n';
    for (std::size_t i = 0; i < r.棋譜.手.size(); ++i) {
        const analysis::局面評価& before = a.局面[i];
        const analysis::印 mark = a.印列[i];
        std::vector<search::Move> best;
        if (!before.読み筋.empty()) best.push_back(before.読み筋.front());
        char num[16];
        std::snprintf(num, sizeof num, "%4d ", static_cast<int>(i + 1));
        lines << num << 詰め((a.先手の手[i] ? "▲" : "△") + kif[i], 16) << 評価欄(a.局面[i + 1]) << "  best "
            << 詰め(analysis::読み筋表記(r, static_cast<int>(i), best), 16) << analysis::印記号(mark);
        if (mark != analysis::印::なし) lines << ' ' << analysis::印の名前(mark);
        lines << '\n';
    }

    const analysis::棋譜解析::集計 c = a.集計する();
    const std::string names[2] = {"▲" + (向き(r).回転 ? r.棋譜.上手名 : r.棋譜.下手名),
                                  "△" + (向き(r).回転 ? r.棋譜.下手名 : r.棋譜.上手名)};
    for (int side = 0; side < 2; ++side)
        lines << names[side] << ": 疑問手 ?! " << c.数[side][0] << ", 悪手 ? " << c.数[side][1] << ", 大悪手 ?? "
            << c.数[side][2] << '\n';
    if (output.empty()) return 0;
    analysis::注釈を付ける(r, a);
    std::string reason;
    const auto bytes = 書式_記録(r, to.format() == RecordFormat::KIFU ? 記録形式::KIFU : 記録形式::KIF, &reason);
    if (!bytes) return fail(err, "cannot write " + output + ": " + reason);
    if (!to.write(*bytes, out, err)) return kExitBadInput;
    lines << "wrote " << output << '\n';
    return 0;
}

}  // namespace fudo::cli
