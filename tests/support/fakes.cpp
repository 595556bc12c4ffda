#include "tests/support/fakes.h"

#include <atomic>
#include <unistd.h>

namespace fudo::test {

int RecordingCanvas::lastPictureAt(double x, double y, int none) const {
    for (auto it = ops.rbegin(); it != ops.rend(); ++it)
        if ((it->kind == DrawOp::Picture || it->kind == DrawOp::TintedPicture) && it->x == x && it->y == y)
            return it->code;
    return none;
}

Tint RecordingCanvas::lastTintAt(double x, double y) const {
    for (auto it = ops.rbegin(); it != ops.rend(); ++it)
        if ((it->kind == DrawOp::Picture || it->kind == DrawOp::TintedPicture) && it->x == x && it->y == y)
            return it->tint;
    return Tint::None;
}

int RecordingCanvas::lastOutlineAt(double x, double y) const {
    for (auto it = ops.rbegin(); it != ops.rend(); ++it)
        if (it->kind == DrawOp::Outline && it->x == x && it->y == y) return it->code;
    return -1;
}

std::vector<DrawOp> RecordingCanvas::textsEqual(std::string_view s) const {
    std::vector<DrawOp> out;
    for (auto& op : ops)
        if (op.kind == DrawOp::Text && op.text == s) out.push_back(op);
    return out;
}

int RecordingCanvas::count(DrawOp::Kind k) const {
    int n = 0;
    for (auto& op : ops)
        if (op.kind == k) ++n;
    return n;
}

Rig::Rig() {
    static std::atomic<int> serial{0};
    root = std::filesystem::temp_directory_path() /
           ("fudo-test-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / "config");
    std::filesystem::create_directories(root / "records");
    std::filesystem::create_directories(root / "sounds");
    host.configFolder = root / "config";
    host.listFolder = root / "records";
    host.sounds = root / "sounds";
}

Rig::~Rig() {
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
}

void clearBoard(Game& g) {
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) g.BAN(x, y) = 0;
    for (int k = 1; k <= 7; ++k) g.SITA_MOCHI[k] = g.UE_MOCHI[k] = 0;
    g.SITA_MOCHI_SU = g.UE_MOCHI_SU = 0;
}

}  // namespace fudo::test
