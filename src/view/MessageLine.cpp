#include "view/MessageLine.h"

#include <allegro.h>

#include <algorithm>
#include <sstream>

#include "view/RaceView.h"
#include "world/World.h"

std::vector<std::string> MessageLine::wrap(const std::string& text, int width,
                                           const std::function<int(const std::string&)>& widthOf) {
    if (widthOf(text) <= width) return {text};
    std::vector<std::string> lines;
    std::istringstream words(text);
    std::string word, line;
    while (words >> word) {
        // a word no line can hold keeps what fits of it, at least one letter
        while (word.size() > 1 && widthOf(word) > width) word.pop_back();
        const std::string longer = line.empty() ? word : line + " " + word;
        if (line.empty() || widthOf(longer) <= width) {
            line = longer;
        } else {
            lines.push_back(line);
            line = word;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

void MessageLine::draw(BITMAP* target, FONT* messageFont, const std::string& text, double timeLeft) {
    const int level = std::min(255, static_cast<int>(timeLeft * 255));
    const int colour = makecol(level, level, level);
    const auto widthOf = [messageFont](const std::string& s) { return text_length(messageFont, s.c_str()); };
    const int step = text_height(messageFont) + kLineGap;
    int y = kY;
    for (const std::string& line : wrap(text, RaceView::kScreenWidth - kX - kRightMargin, widthOf)) {
        // a black shadow keeps the letters apart from bright ground and sprites
        textout_ex(target, messageFont, line.c_str(), kX + kShadow, y + kShadow, makecol(0, 0, 0), -1);
        textout_ex(target, messageFont, line.c_str(), kX, y, colour, -1);
        y += step;
    }
}
