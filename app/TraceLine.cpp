#include "app/TraceLine.h"

#include "game/WaveItems.h"

namespace quarnel {
namespace {

void AppendField(std::string& out, std::string_view name, int64_t value) {
    out += ' ';
    out += name;
    out += '=';
    AppendDecimal(out, value);
}

char CellChar(uint8_t code) {
    if (code == EmptyCell) return '.';
    return code <= 2 ? static_cast<char>('0' + code) : '?';
}

}  // namespace

void AppendTraceLine(std::string& out, uint64_t tick, std::string_view caption, const GameState& gs,
                     const std::vector<int>& waves, std::optional<std::string_view> draws) {
    AppendDecimal(out, tick);
    out += ' ';
    out += caption;
    AppendField(out, "ph", gs.Phase);
    AppendField(out, "BF", gs.BF);
    AppendField(out, "BX", gs.BX);
    AppendField(out, "BY", gs.BY);
    AppendField(out, "BYC", gs.BYC);
    out += " col=";
    for (uint8_t colour : gs.BlockColor)
        AppendDecimal(out, unsigned{colour});
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
    if (draws) {
        out += " draw=";
        out += *draws;
    }
}

}  // namespace quarnel
