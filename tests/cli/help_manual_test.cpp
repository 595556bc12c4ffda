// fudo-cli's --help texts against its manual page, and both against the option parser.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "tests/cli/run_cli.h"

namespace fudo::cli {
namespace {

std::string trim(const std::string& s) {
    const auto a = s.find_first_not_of(" \t");
    if (a == std::string::npos) return "";
    return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

// The manual's text without scdoc's markup; a leading tab count is kept as the depth.
struct ManLine {
    int depth;
    std::string text;
};

std::vector<ManLine> manual() {
    std::ifstream in(FUDO_TEST_DATA_DIR "/../../docs/man/fudo-cli.1.scd");
    EXPECT_TRUE(in) << "manual source not found";
    std::vector<ManLine> out;
    for (std::string l; std::getline(in, l);) {
        int depth = 0;
        while (depth < int(l.size()) && l[depth] == '\t') ++depth;
        std::string text;
        for (size_t i = depth; i < l.size(); ++i) {
            if (l[i] == '\\' && i + 1 < l.size()) text += l[++i];
            else if (l[i] != '*' && l[i] != '_') text += l[i];
        }
        out.push_back({depth, text});
    }
    return out;
}

std::vector<std::string> sectionLines(const std::vector<ManLine>& man, const std::string& heading) {
    std::vector<std::string> out;
    bool in = false;
    for (const ManLine& l : man) {
        if (l.text.starts_with("# ")) in = l.text == "# " + heading;
        else if (in && !trim(l.text).empty()) out.push_back(l.text);
    }
    return out;
}

struct CommandDoc {
    std::string summary;
    std::vector<std::pair<std::string, std::string>> options;  // name with argument, text
};

// One command's entry under COMMANDS: its synopsis line, then the summary at depth 1 and
// each option at depth 1 with its text at depth 2.
CommandDoc manualEntry(const std::vector<ManLine>& man, const std::string& synopsis) {
    CommandDoc d;
    bool in = false;
    for (const ManLine& l : man) {
        if (l.depth == 0 && !l.text.empty()) {
            if (in) break;
            in = l.text == synopsis;
        } else if (in && l.depth == 1 && !l.text.empty()) {
            if (d.summary.empty()) d.summary = l.text;
            else d.options.push_back({l.text, ""});
        } else if (in && l.depth == 2 && !d.options.empty()) {
            std::string& t = d.options.back().second;
            t += (t.empty() ? "" : " ") + l.text;
        }
    }
    return d;
}

// The same entry from `fudo-cli COMMAND --help`.
CommandDoc helpEntry(const std::string& help, std::string& synopsis) {
    CommandDoc d;
    const auto ls = lines(help);
    if (ls.size() < 5) return d;
    synopsis = ls[0].starts_with("usage: fudo-cli ") ? ls[0].substr(16) : "";
    d.summary = ls[2];
    for (size_t i = 5; i < ls.size(); ++i) {
        if (ls[i].starts_with("  --")) d.options.push_back({trim(ls[i]), ""});
        else if (!d.options.empty()) {
            std::string& t = d.options.back().second;
            t += (t.empty() ? "" : " ") + trim(ls[i]);
        }
    }
    return d;
}

TEST(Help, EveryCommandsHelpIsItsManualEntryAndItsParserKnowsEveryOption) {
    const auto man = manual();
    ASSERT_FALSE(man.empty());

    // The overall usage lists the manual's synopses, in its order.
    const Outcome all = run({"--help"});
    ASSERT_EQ(all.code, 0);
    std::vector<std::string> usage, names;
    for (const std::string& l : lines(all.out)) {
        if (l.starts_with("usage: ") || l.starts_with("       ")) usage.push_back(trim(l.substr(7)));
        else if (l.starts_with("  ") && l.find(": ") != std::string::npos) names.push_back(trim(l.substr(0, l.find(": "))));
    }
    EXPECT_EQ(usage, sectionLines(man, "SYNOPSIS"));
    ASSERT_GE(names.size(), 4u);

    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const Outcome help = run({name, "--help"});
        ASSERT_EQ(help.code, 0);
        EXPECT_EQ(run({name, "-h"}).out, help.out);
        EXPECT_EQ(run({"help", name}).out, help.out);

        std::string synopsis;
        const CommandDoc fromHelp = helpEntry(help.out, synopsis);
        EXPECT_TRUE(synopsis.starts_with(name + " ")) << synopsis;
        const CommandDoc fromManual = manualEntry(man, synopsis);
        EXPECT_EQ(fromHelp.summary, fromManual.summary);
        EXPECT_EQ(fromHelp.options, fromManual.options);

        // The synopsis names exactly the documented options.
        std::set<std::string> inSynopsis, documented;
        std::istringstream words(synopsis);
        for (std::string w; words >> w;) {
            const auto a = w.find("--");
            if (a != std::string::npos) inSynopsis.insert(w.substr(a, w.find(']') - a));
        }
        for (const auto& [option, text] : fromHelp.options) {
            documented.insert(option.substr(0, option.find(' ')));
            EXPECT_FALSE(text.empty()) << option;
        }
        EXPECT_EQ(inSynopsis, documented);

        // Every documented option is one the command reads: given a bad or missing value
        // it may complain about anything but the option being unknown.
        for (const std::string& option : documented) {
            const Outcome r = run({name, option, "bad"});
            EXPECT_EQ(r.err.find("unknown option"), std::string::npos) << option << ": " << r.err;
        }
        EXPECT_NE(run({name, "--no-such-option", "1"}).err.find("unknown option"), std::string::npos);
    }
}

}  // namespace
}  // namespace fudo::cli
