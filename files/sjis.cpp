#include "files/sjis.h"

#include <cerrno>
#include <iconv.h>

namespace fudo {

namespace {

// One conversion through glibc's iconv, without //IGNORE or //TRANSLIT so that any
// invalid or unrepresentable input fails the whole conversion.
std::optional<std::string> convert(const char* to, const char* from, std::string_view in) {
    iconv_t cd = ::iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;

    std::string out;
    out.resize(in.size() * 2 + 16);  // CP932→UTF-8 grows at most ×1.5; UTF-8→CP932 shrinks
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    std::size_t done = 0;
    bool ok = true;
    while (inLeft > 0) {
        char* outPtr = out.data() + done;
        std::size_t outLeft = out.size() - done;
        const std::size_t r = ::iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        done = static_cast<std::size_t>(outPtr - out.data());
        if (r != static_cast<std::size_t>(-1)) continue;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        ok = false;  // EILSEQ (invalid or unrepresentable) or EINVAL (truncated sequence)
        break;
    }
    if (ok) {
        // Flush any shift state (none for these encodings, but it costs nothing).
        char* outPtr = out.data() + done;
        std::size_t outLeft = out.size() - done;
        if (::iconv(cd, nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
            ok = false;
        done = static_cast<std::size_t>(outPtr - out.data());
    }
    ::iconv_close(cd);
    if (!ok) return std::nullopt;
    out.resize(done);
    return out;
}

}  // namespace

std::optional<std::string> 変換_UTF8からSJIS(std::string_view utf8) {
    return convert("CP932", "UTF-8", utf8);
}

std::optional<std::string> 変換_SJISからUTF8(std::string_view sjis) {
    return convert("UTF-8", "CP932", sjis);
}

std::optional<std::string> 変換_UTF8へ(std::string_view bytes, const char* encoding) {
    return convert("UTF-8", encoding, bytes);
}

std::optional<std::string> 変換_UTF8から(std::string_view utf8, const char* encoding) {
    return convert(encoding, "UTF-8", utf8);
}

int 文字数_UTF8(std::string_view utf8) {
    int n = 0;
    for (unsigned char c : utf8)
        if ((c & 0xC0) != 0x80) ++n;  // count every byte that does not continue a sequence
    return n;
}

}  // namespace fudo
