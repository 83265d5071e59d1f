#include "app/TraceLine.h"

#include <charconv>

#include "game/WaveItems.h"

namespace quarnel {
namespace {

template <typename Int>
void AppendNumber(std::string& out, Int value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

void AppendField(std::string& out, std::string_view name, int64_t value) {
    out += ' ';
    out += name;
    out += '=';
    AppendNumber(out, value);
}

char CellChar(uint8_t code) {
    if (code == EmptyCell) return '.';
    return code <= 2 ? static_cast<char>('0' + code) : '?';
}

}  // namespace

void AppendTraceLine(std::string& out, uint64_t tick, std::string_view caption, const GameState& gs,
                     const std::vector<int>& waves) {
    AppendNumber(out, tick);
    out += ' ';
    out += caption;
    AppendField(out, "ph", gs.Phase);
    AppendField(out, "BF", gs.BF);
    AppendField(out, "BX", gs.BX);
    AppendField(out, "BY", gs.BY);
    AppendField(out, "BYC", gs.BYC);
    out += " col=";
    for (uint8_t colour : gs.BlockColor)
        AppendNumber(out, unsigned{colour});
    AppendField(out, "act", gs.CanAct);
    AppendField(out, "er", gs.EraseCount);
    AppendField(out, "sc", gs.Score);
    AppendField(out, "pp", gs.PendingPoints);
    AppendField(out, "hi", gs.HighScore);
    out += " snd=";
    if (waves.empty()) out += '-';
    for (size_t i = 0; i < waves.size(); ++i) {
        if (i) out += ',';
        out += WaveItemName(waves[i]);
    }
    out += " board=";
    for (int x = 0; x < BoardColumns; ++x) {
        if (x) out += '/';
        for (int y = 0; y < BoardRows; ++y)
            out += CellChar(gs.Board[x][y]);
    }
}

}  // namespace quarnel
