#pragma once
#include <functional>
#include <string>
#include <vector>

struct BITMAP;
struct FONT;

// The message line: the message in the message font at (140, 200), white
// while a second or more is left and fading to black over its last second,
// over a black shadow. A message wider than the window goes on over the lines
// below, broken at its spaces, and a word wider than a whole line is cut to
// fit.
class MessageLine {
public:
    static constexpr int kX = 140;
    static constexpr int kY = 200;
    // kept clear at the window's right edge
    static constexpr int kRightMargin = 4;
    static constexpr int kLineGap = 2;
    // the shadow lies this far right of and below the letters
    static constexpr int kShadow = 1;

    // `text` in lines no wider than `width`, as `widthOf` measures them.
    static std::vector<std::string> wrap(const std::string& text, int width,
                                         const std::function<int(const std::string&)>& widthOf);
    static void draw(BITMAP* target, FONT* messageFont, const std::string& text, double timeLeft);
};
