// An output named on the command line (-o, --output, --record): its record format and the
// file behind it, checked before the command does its work.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_io.h"
#include "notation/record_io.h"

namespace fudo::cli {

// The game's own ".棋譜" and the exchange formats.
enum class RecordFormat { Native, KIF, KIFU, CSA };

// The format a name's suffix names (".棋譜", ".kif", ".kifu", ".csa", any case), if any.
std::optional<RecordFormat> formatOfName(const std::filesystem::path& name);

class Output {
public:
    // Checks the output `name` ("-" for standard output) before any work. The format
    // follows its suffix, which must be one of `allowed`; a name whose suffix names no
    // format (a pipe, a device, "-") takes `fallback`, or is refused without one. The
    // output must not be the file `input`, and must be a file that can be written (see
    // 出力ファイル). False, with one line on err, when it cannot be.
    bool open(const std::string& name, const std::vector<RecordFormat>& allowed,
              std::optional<RecordFormat> fallback, const std::string& input, std::ostream& err);

    const std::string& name() const { return name_; }
    RecordFormat format() const { return format_; }
    bool standardOutput() const { return standardOutput_; }

    // Writes bytes: into `out` for standard output, else into the file (a pipe waits for
    // its reader). False, with one line on err, on failure.
    bool write(std::string_view bytes, std::ostream& out, std::ostream& err);

private:
    std::string name_;
    RecordFormat format_ = RecordFormat::Native;
    bool standardOutput_ = false;
    std::unique_ptr<出力ファイル> file_;
};

// Opens the record of play or selfplay (--record): .棋譜, or with `exchange` also a KIF or
// CSA name; standard output, which carries the game, is refused.
bool openRecordOutput(Output& output, const std::string& name, std::ostream& err, bool exchange = false);

// The exchange format of an output's format (KIF for the game's own).
記録形式 exchangeFormat(RecordFormat f);

}  // namespace fudo::cli
