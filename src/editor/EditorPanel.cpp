#include "editor/EditorPanel.h"

#include <allegro.h>

#include <algorithm>

namespace {

void drawLines(BITMAP* target, const std::vector<std::string>& lines, int y, int ground) {
    const int white = makecol(255, 255, 255);
    for (const std::string& line : lines) {
        textout_ex(target, font, line.c_str(), EditorPanel::kLeft, y, white, ground);
        y += EditorPanel::kLineHeight;
    }
}

}  // namespace

void EditorPanel::draw(BITMAP* target, const std::vector<std::string>& readout) const {
    // on grounds of their own, so the text reads over any part of the map
    drawLines(target, readout, kTop, makecol(0, 0, 0));
    const int verdictTop = kTop + static_cast<int>(readout.size()) * kLineHeight;
    drawLines(target, verdict, verdictTop, makecol(0, 0, 120));
    drawLines(target, alert, verdictTop + static_cast<int>(verdict.size()) * kLineHeight, makecol(150, 0, 0));
    if (helpShown) {
        const std::vector<std::string>& keys = helpLines();
        drawLines(target, keys, target->h - kTop - static_cast<int>(keys.size()) * kLineHeight, makecol(0, 0, 0));
    }
}

void EditorPanel::setVerdict(const std::vector<std::string>& paragraphs) {
    verdict.clear();
    for (const std::string& p : paragraphs) {
        if (verdict.size() >= kVerdictLines) break;
        for (const std::string& line : wrap(p, kColumns, kVerdictLines - verdict.size())) verdict.push_back(line);
    }
}

std::vector<std::string> EditorPanel::wrap(const std::string& text, std::size_t columns, std::size_t lines) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < text.size() && out.size() < lines) {
        while (start < text.size() && text[start] == ' ') ++start;
        if (start >= text.size()) break;
        std::size_t end = start + columns;
        if (end >= text.size()) {
            end = text.size();
        } else {
            // break at the last space that fits; a word longer than a line is cut
            const std::size_t space = text.rfind(' ', end);
            if (space != std::string::npos && space > start) end = space;
        }
        std::string line = text.substr(start, end - start);
        line.erase(line.find_last_not_of(' ') + 1);
        out.push_back(line);
        start = end;
    }
    while (start < text.size() && text[start] == ' ') ++start;
    if (start < text.size() && !out.empty()) {
        std::string& last = out.back();
        last.erase(std::min(last.size(), columns - 3));
        last.erase(last.find_last_not_of(' ') + 1);
        last += "...";
    }
    return out;
}

const std::vector<std::string>& EditorPanel::helpLines() {
    static const std::vector<std::string> keys = {
        "S Z A X move  1-5 scenery  C gate  W waypoint  F1-F4 powerup  D delete nearest",
        "Home snap  = - widen  Shift = - turn  PgUp PgDn number  F5 check  F6 drive",
        "H keys  Esc save newtrack.txt and quit",
    };
    return keys;
}
